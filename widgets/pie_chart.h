#pragma once
// A pie chart with a title and a legend: the slices of Step 2's disk and
// drive views. Slice colours come in order from a fixed palette of 26.
#include <QString>
#include <QVector>
#include <QWidget>

class CPieChart : public QWidget {
    Q_OBJECT
public:
    struct Slice {
        QString label;
        int value;
    };
    explicit CPieChart(QWidget* parent = nullptr);
    void SetChart(const QString& title, const QVector<Slice>& slices);
    const QVector<Slice>& Slices() const { return m_slices; }
    QSize sizeHint() const override { return QSize(320, 200); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QVector<Slice> m_slices;
};
