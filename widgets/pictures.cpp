#include "widgets/pictures.h"

#include "app/recovery_job.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

QPixmap LoadPicture(const std::string& name, QSize size) {
    // "\Next.bmp" -> <picture folder>/Next.svg
    QString base = QString::fromStdString(name);
    while (base.startsWith('\\') || base.startsWith('/')) base.remove(0, 1);
    int dot = base.lastIndexOf('.');
    if (dot >= 0) base.truncate(dot);
    QString folder = QString::fromStdString(theJob.dataFolder.empty() ? ":/pictures" : theJob.dataFolder);
    QSvgRenderer renderer(folder + "/" + base + ".svg");
    if (!renderer.isValid()) return QPixmap();
    if (size.isEmpty()) size = renderer.defaultSize();
    qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

void CBackgroundPicture::Paint(QWidget* widget) {
    if (m_cache.isNull() || m_cache.deviceIndependentSize().toSize() != widget->size())
        m_cache = LoadPicture(m_name, widget->size());
    QPainter painter(widget);
    painter.drawPixmap(0, 0, m_cache);
}
