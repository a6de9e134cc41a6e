#pragma once
// A button drawn with a picture, and with its highlighted picture while the
// mouse is over it or it has the keyboard focus. Its tooltip is also its
// accessible name, so screen readers and tests find it by that text.
#include <QAbstractButton>
#include <QPixmap>

class CPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    CPictureButton(const char* picture, const char* highlighted, const QString& tooltip, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_normal;
    QPixmap m_highlighted;
    bool m_hover = false;
};
