#include "Robot.h"

#include <QMouseEvent>
#include <QPainter>

#include "Robot_Tab.h"

namespace kestrane {

Robot::Robot(const Robot_Tab& calques, QWidget* parent) : QWidget(parent), calques_(calques) {
    setObjectName(QStringLiteral("Robot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&calques, &Robot_Tab::Calques_Changes, this, qOverload<>(&QWidget::update));
}

void Robot::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.drawImage(QPointF(0, 0), calques_.Image(size(), devicePixelRatioF(), true));
}

void Robot::mousePressEvent(QMouseEvent* event) { emit Appui(event->button(), event->position()); }

void Robot::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit Clic();
}

void Robot::mouseMoveEvent(QMouseEvent* event) { emit Survol(event->position()); }

}  // namespace kestrane
