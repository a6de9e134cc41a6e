#include "widgets/pie_chart.h"

#include <QPainter>

namespace {

// Red, green, blue, white, black, yellow, then further distinct colours.
const QColor kPalette[26] = {
    QColor(220, 40, 40),   QColor(40, 170, 70),   QColor(40, 90, 210),  QColor(250, 250, 250), QColor(30, 30, 30),
    QColor(240, 210, 40),  QColor(230, 120, 30),  QColor(140, 60, 180), QColor(40, 180, 190),  QColor(200, 60, 140),
    QColor(120, 120, 120), QColor(150, 200, 60),  QColor(90, 50, 20),   QColor(250, 160, 170), QColor(20, 90, 60),
    QColor(160, 160, 230), QColor(200, 170, 120), QColor(0, 120, 140),  QColor(230, 90, 90),   QColor(90, 140, 40),
    QColor(60, 60, 140),   QColor(250, 200, 120), QColor(130, 30, 60),  QColor(180, 220, 220), QColor(100, 80, 160),
    QColor(210, 210, 100)};

}  // namespace

CPieChart::CPieChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("Chart"));
    setMinimumSize(240, 150);
}

void CPieChart::SetChart(const QString& title, const QVector<Slice>& slices) {
    m_title = title;
    m_slices = slices;
    QStringList description;
    for (const Slice& s : slices) description << QString("%1 %2%").arg(s.label).arg(s.value);
    setAccessibleDescription(description.join(", "));
    update();
}

void CPieChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRect area = rect().adjusted(6, 6, -6, -6);
    int top = area.top();
    if (!m_title.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(area.left(), top, area.width(), 20), Qt::AlignLeft | Qt::AlignVCenter, m_title);
        painter.setFont(font());
        top += 24;
    }
    int diameter = qMin(area.height() - (top - area.top()), area.width() / 2);
    if (diameter <= 10 || m_slices.isEmpty()) return;
    QRect pie(area.left(), top, diameter, diameter);
    int total = 0;
    for (const Slice& s : m_slices) total += qMax(0, s.value);
    int angle = 90 * 16;
    int legendY = top;
    for (int i = 0; i < m_slices.size(); ++i) {
        const QColor& colour = kPalette[i % 26];
        int span = total > 0 ? qMax(0, m_slices[i].value) * 360 * 16 / total : 0;
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.setBrush(colour);
        if (span > 0) painter.drawPie(pie, angle, -span);
        angle -= span;
        QRect box(pie.right() + 16, legendY + 3, 12, 12);
        painter.drawRect(box);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(box.right() + 6, legendY, area.right() - box.right() - 6, 18),
                         Qt::AlignLeft | Qt::AlignVCenter, QString("%1  %2%").arg(m_slices[i].label).arg(m_slices[i].value));
        legendY += 20;
    }
}
