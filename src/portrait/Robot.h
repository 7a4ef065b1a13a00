#pragma once
// The portrait picture box: every layer of Robot_Tab, overlays included, stretched to the
// interior. It only reports the mouse; Portrait_Questions decides what a press, a click or a
// hover means.

#include <QPointF>
#include <QWidget>

namespace kestrane {

class Robot_Tab;

class Robot : public QWidget {
    Q_OBJECT
public:
    // `calques` must outlive the widget.
    explicit Robot(const Robot_Tab& calques, QWidget* parent = nullptr);

signals:
    // A button went down at `position` (logical pixels of the interior).
    void Appui(Qt::MouseButton bouton, QPointF position);
    // A button came up inside the box after a press on it.
    void Clic();
    // The pointer moved over the box, with or without a button down.
    void Survol(QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const Robot_Tab& calques_;
};

}  // namespace kestrane
