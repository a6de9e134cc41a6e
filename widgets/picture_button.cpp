#include "widgets/picture_button.h"

#include "widgets/pictures.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CPictureButton::CPictureButton(const char* picture, const char* highlighted, const QString& tooltip,
                               QWidget* parent)
    : QAbstractButton(parent), m_normal(LoadPicture(picture)), m_highlighted(LoadPicture(highlighted)) {
    setToolTip(tooltip);
    setAccessibleName(tooltip);
    setText(tooltip);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

QSize CPictureButton::sizeHint() const {
    return m_normal.isNull() ? QSize(110, 36) : m_normal.deviceIndependentSize().toSize();
}

void CPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    bool lit = (m_hover || hasFocus() || isDown()) && isEnabled();
    const QPixmap& picture = lit && !m_highlighted.isNull() ? m_highlighted : m_normal;
    if (!isEnabled()) painter.setOpacity(0.45);
    QRect target = rect();
    if (isDown()) target.translate(0, 1);
    painter.drawPixmap(target, picture);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        QPen pen(QColor(255, 210, 94), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(rect().adjusted(1, 1, -2, -2), 8, 8);
    }
}

void CPictureButton::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CPictureButton::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
