#include "Small_Robot.h"

#include <QMouseEvent>
#include <QPainter>

#include "Robot_Tab.h"

namespace kestrane {

Small_Robot::Small_Robot(const Robot_Tab& calques, QWidget* parent) : QWidget(parent), calques_(calques) {
    setObjectName(QStringLiteral("Small_Robot"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&calques, &Robot_Tab::Calques_Changes, this, qOverload<>(&QWidget::update));
}

void Small_Robot::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.drawImage(QPointF(0, 0), calques_.Image(size(), devicePixelRatioF(), false));
}

void Small_Robot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clique();
}

}  // namespace kestrane
