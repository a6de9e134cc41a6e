#include "saving/settings_dialog.h"

#include "app/message_catalog.h"
#include "app/prompt.h"
#include "app/recovery_job.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

namespace {

// A group of radio buttons bound to one option value.
QGroupBox* RadioGroup(const QString& title, const QStringList& texts, int current, std::function<void(int)> set,
                      QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        radio->setAccessibleName(QString(texts[i]).simplified());
        radio->setChecked(i == current);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idClicked, box, std::move(set));
    return box;
}

}  // namespace

Settings::Settings(QWidget* parent) : QDialog(parent), m_start(theSavingOptions) {
    setWindowTitle(QString::fromStdString(theJob.windowTitle));
    SavingOptions& o = theSavingOptions;
    auto* deleted = RadioGroup(tr("Select file(s) to include"),
                               {tr("Include Deleted Files"), tr("Exclude  Deleted File(s)"), tr("Save Deleted Files Only")},
                               static_cast<int>(o.deleted), [](int id) { theSavingOptions.deleted = DeletedFilter(id); }, this);
    auto* mode = RadioGroup(tr("Saving Mode"), {tr("Auto"), tr("FAT1"), tr("FAT2"), tr("Contiguous")},
                            static_cast<int>(o.fatMode), [](int id) { theSavingOptions.fatMode = FatSavingMode(id); }, this);
    auto* files = RadioGroup(tr("Files to save"), {tr("Save Selected File(s)"), tr("Save All File(s)"), tr("Invert Selection")},
                             static_cast<int>(o.filesToSave),
                             [](int id) { theSavingOptions.filesToSave = FilesToSave(id); }, this);

    auto* dates = new QGroupBox(tr("Date"), this);
    auto* grid = new QGridLayout(dates);
    m_range = new QComboBox(dates);
    m_range->addItems({tr("Modified Date"), tr("Created Date"), tr("Accessed Date")});
    m_range->setAccessibleName(tr("Date"));
    grid->addWidget(m_range, 0, 0, 1, 4);
    grid->addWidget(new QLabel(tr("DD"), dates), 1, 1);
    grid->addWidget(new QLabel(tr("MM"), dates), 1, 2);
    grid->addWidget(new QLabel(tr("YYYY"), dates), 1, 3);
    grid->addWidget(new QLabel(tr("Earlier : "), dates), 2, 0);
    grid->addWidget(new QLabel(tr("After   : "), dates), 3, 0);
    for (int i = 0; i < 6; ++i) {
        auto* list = new QComboBox(dates);
        int kind = i % 3;
        for (int v = 0; v < (kind == 0 ? 31 : kind == 1 ? 12 : 61); ++v)
            list->addItem(kind == 2 ? QString::number(1970 + v) : QString("%1").arg(v + 1, 2, 10, QChar('0')));
        list->setAccessibleName(QString(i < 3 ? "Earlier " : "After ") + (kind == 0 ? "DD" : kind == 1 ? "MM" : "YYYY"));
        connect(list, &QComboBox::currentIndexChanged, this, [this] { StoreRange(); });
        grid->addWidget(list, 2 + i / 3, 1 + kind);
        m_dates[i] = list;
    }
    connect(m_range, &QComboBox::currentIndexChanged, this, [this] { LoadRange(); });

    auto* extensions = new QGroupBox(tr("Select Extensions (Ex. DOC, XLS etc...) "), this);
    auto* ext = new QGridLayout(extensions);
    m_edit = new QLineEdit(extensions);
    m_edit->setMaxLength(40);
    m_edit->setAccessibleName(tr("Extension"));
    m_list = new QListWidget(extensions);
    m_list->setAccessibleName(tr("Extensions"));
    for (const std::u16string& e : o.extensions) m_list->insertItem(0, QString::fromStdU16String(e));
    auto* add = new QPushButton(tr("&Add"), extensions);
    m_remove = new QPushButton(tr("&Remove"), extensions);
    add->setAccessibleName(tr("Add"));
    m_remove->setAccessibleName(tr("Remove"));
    m_remove->setEnabled(m_list->count() > 0);
    connect(add, &QPushButton::clicked, this, &Settings::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        QListWidgetItem* item = m_list->currentItem();
        if (!item) return;
        auto& list = theSavingOptions.extensions;
        list.erase(std::find(list.begin(), list.end(), item->text().toStdU16String()));
        delete item;
        m_remove->setEnabled(m_list->count() > 0);
    });
    ext->addWidget(m_edit, 0, 0);
    ext->addWidget(add, 0, 1);
    ext->addWidget(m_list, 1, 0);
    ext->addWidget(m_remove, 1, 1, Qt::AlignTop);

    auto* apply = new QPushButton(tr("&Apply"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    apply->setAccessibleName(tr("Apply"));
    cancel->setAccessibleName(tr("Cancel"));
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &Settings::reject);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(deleted);
    left->addWidget(dates);
    left->addWidget(mode);
    auto* right = new QVBoxLayout;
    right->addWidget(extensions);
    right->addWidget(files);
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    // The texts of the language data file, when it has them.
    MessageCatalog catalog("EnglishW.dat");
    QList<QAbstractButton*> radios = findChildren<QAbstractButton*>();
    for (QAbstractButton* b : radios)
        if (auto* radio = qobject_cast<QRadioButton*>(b)) {
            static const std::pair<const char*, int> kNumbers[] = {
                {"Include Deleted Files", 76}, {"Exclude  Deleted File(s)", 77}, {"Save Deleted Files Only", 78},
                {"Auto", 86}, {"FAT1", 87}, {"FAT2", 88}, {"Contiguous", 89}, {"Save Selected File(s)", 93},
                {"Save All File(s)", 94}, {"Invert Selection", 95}};
            for (const auto& [text, number] : kNumbers)
                if (radio->text() == text)
                    if (auto replaced = catalog.GetText(number)) radio->setText(QString::fromStdString(*replaced));
        }
    LoadRange();
}

void Settings::LoadRange() {
    m_loading = true;
    const auto& selections = theSavingOptions.selections[static_cast<size_t>(std::max(0, m_range->currentIndex()))];
    for (int i = 0; i < 6; ++i) m_dates[i]->setCurrentIndex(selections[static_cast<size_t>(i)]);
    m_loading = false;
}

void Settings::StoreRange() {
    if (m_loading) return;
    size_t r = static_cast<size_t>(std::max(0, m_range->currentIndex()));
    for (int i = 0; i < 6; ++i) theSavingOptions.selections[r][static_cast<size_t>(i)] = m_dates[i]->currentIndex();
    theSavingOptions.ranges[r] = RangeFromSelections(theSavingOptions.selections[r]);
}

void Settings::OnAdd() {
    std::u16string text = m_edit->text().toStdU16String();
    bool ignored = false;
    std::string message = CheckNewExtension(text, theSavingOptions, ignored);
    if (!message.empty()) {
        ShowMessage(message);
        return;
    }
    if (ignored) return;
    m_list->insertItem(0, m_edit->text());
    theSavingOptions.extensions.push_back(text);
    m_edit->clear();
    m_edit->setFocus();
    m_remove->setEnabled(true);
    m_list->setCurrentRow(0);
}

void Settings::reject() {
    theSavingOptions = m_start;
    QDialog::reject();
}

void OpenSavingOptions(QWidget* parent) {
    Settings dialog(parent);
    dialog.exec();
}
