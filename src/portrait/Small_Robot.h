#pragma once
// The small portrait of the results and species views: the pieces of Robot_Tab without the
// overlays, stretched to the interior. A click asks for the identification view.

#include <QWidget>

namespace kestrane {

class Robot_Tab;

class Small_Robot : public QWidget {
    Q_OBJECT
public:
    // `calques` must outlive the widget.
    explicit Small_Robot(const Robot_Tab& calques, QWidget* parent = nullptr);

signals:
    // The user clicked the small portrait: run the View menu's identification entry.
    void Clique();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Robot_Tab& calques_;
};

}  // namespace kestrane
