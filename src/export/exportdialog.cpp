#include "export/exportdialog.h"

#include "export/tablepainter.h"
#include "widgets/messageservice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace exporting {

namespace {

using widgets::MessageService;

// The user interface gets a turn this often while rows are written.
constexpr qint64 eventInterval = 50;

bool openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool printWithDialog(ExportFormat format, const QString &path, ExportJob &job, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    TablePainter table(job);
    printer.setPageLayout(table.pageLayout());
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return true;
    if (format == ExportFormat::Pdf)
        return table.paint(&printer);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTextDocument document;
    const QString content = QString::fromUtf8(file.readAll());
    if (format == ExportFormat::Html) {
        document.setHtml(content);
    } else {
        document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        document.setPlainText(content);
    }
    document.print(&printer);
    return true;
}

} // namespace

ExportDialog::ExportDialog(QWidget *parent)
    : QDialog(parent)
    , m_open(openWithDesktop)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(titleFor(QString()));
    m_print = [this](ExportFormat format, const QString &path, ExportJob &job) {
        return printWithDialog(format, path, job, this);
    };

    auto *fileLabel = new QLabel(QStringLiteral("Oluşturulacak Dosya :"), this);
    m_fileEdit = new QLineEdit(this);
    m_fileEdit->setObjectName(QStringLiteral("fileEdit"));
    fileLabel->setBuddy(m_fileEdit);
    m_browseButton = new QPushButton(QStringLiteral("Seç..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_openAfter = new QCheckBox(QStringLiteral("Export sonrası dosyayı aç"), this);
    m_openAfter->setObjectName(QStringLiteral("openAfter"));
    m_openAfter->setChecked(true);
    m_printAfter = new QCheckBox(QStringLiteral("Export sonrası dosyayı yazdır"), this);
    m_printAfter->setObjectName(QStringLiteral("printAfter"));

    m_pages = new QTabWidget(this);
    m_pages->addTab(createFormatPage(), QStringLiteral("Export Biçimi"));
    m_pages->addTab(createFieldPage(), QStringLiteral("Alanlar"));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setFormat(QStringLiteral("%v"));
    m_cancelButton = new QPushButton(QStringLiteral("İptal"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_startButton = new QPushButton(QStringLiteral("İŞLEME BAŞLA"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setDefault(true);
    m_closeButton = new QPushButton(QStringLiteral("ÇIKIŞ"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileEdit, 1);
    fileRow->addWidget(m_browseButton);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancelButton);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_startButton);
    buttonRow->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addWidget(m_openAfter);
    layout->addWidget(m_printAfter);
    layout->addWidget(m_pages, 1);
    layout->addLayout(progressRow);
    layout->addLayout(buttonRow);

    connect(m_browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(m_fileEdit, &QLineEdit::textChanged, this, &ExportDialog::updateTitle);
    connect(m_startButton, &QPushButton::clicked, this, &ExportDialog::startExport);
    connect(m_closeButton, &QPushButton::clicked, this, &ExportDialog::reject);
    connect(m_cancelButton, &QPushButton::clicked, this, &ExportDialog::requestCancel);

    setRunning(false);
    formatChanged();
    resize(560, 520);
}

ExportDialog::~ExportDialog() = default;

QString ExportDialog::titleFor(const QString &fileName)
{
    if (fileName.trimmed().isEmpty())
        return QStringLiteral("Export Formu");
    return QStringLiteral("Export Formu -- Çıktı [%1]").arg(fileName);
}

QWidget *ExportDialog::createFormatPage()
{
    auto *page = new QWidget;
    auto *formatBox = new QGroupBox(page);
    auto *formatLayout = new QGridLayout(formatBox);
    m_formats = new QButtonGroup(this);
    const QList<ExportFormat> formats = allFormats();
    const int perColumn = int((formats.size() + 1) / 2);
    for (int i = 0; i < formats.size(); ++i) {
        auto *button = new QRadioButton(formatLabel(formats[i]), formatBox);
        button->setObjectName(QStringLiteral("format%1").arg(i));
        m_formats->addButton(button, int(formats[i]));
        formatLayout->addWidget(button, i % perColumn, i / perColumn);
    }
    m_formats->button(int(ExportFormat::Excel))->setChecked(true);
    connect(m_formats, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            formatChanged();
    });

    auto *recordBox = new QGroupBox(page);
    m_allRecords = new QRadioButton(QStringLiteral("Tüm kayıtları çıkart"), recordBox);
    m_allRecords->setObjectName(QStringLiteral("allRecords"));
    m_allRecords->setChecked(true);
    m_goFirst = new QCheckBox(QStringLiteral("İlk kayda otomatik git"), recordBox);
    m_goFirst->setObjectName(QStringLiteral("goFirst"));
    m_goFirst->setChecked(true);
    m_onlyCurrent = new QRadioButton(QStringLiteral("Sadece aktif kaydı çıkart"), recordBox);
    m_onlyCurrent->setObjectName(QStringLiteral("onlyCurrent"));
    m_allowEmpty = new QCheckBox(QStringLiteral("Boş veri kaynaklarına izin ver"), recordBox);
    m_allowEmpty->setObjectName(QStringLiteral("allowEmpty"));
    m_allowEmpty->setChecked(true);
    auto *recordLayout = new QVBoxLayout(recordBox);
    recordLayout->addWidget(m_allRecords);
    // Starting at the first row is a choice within "all rows", so it sits under it.
    auto *goFirstRow = new QHBoxLayout;
    goFirstRow->addSpacing(20);
    goFirstRow->addWidget(m_goFirst);
    recordLayout->addLayout(goFirstRow);
    recordLayout->addWidget(m_onlyCurrent);
    recordLayout->addWidget(m_allowEmpty);
    recordLayout->addStretch(1);
    connect(m_allRecords, &QRadioButton::toggled, m_goFirst, &QCheckBox::setEnabled);

    auto *layout = new QHBoxLayout(page);
    layout->addWidget(formatBox, 3);
    layout->addWidget(recordBox, 2);
    return page;
}

QWidget *ExportDialog::createFieldPage()
{
    auto *page = new QWidget;
    auto *availableLabel = new QLabel(QStringLiteral("Mevcut Alanlar:"), page);
    auto *chosenLabel = new QLabel(QStringLiteral("Çıkartılacak Alanlar:"), page);
    m_available = new QListWidget(page);
    m_available->setObjectName(QStringLiteral("availableFields"));
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_chosen = new QListWidget(page);
    m_chosen->setObjectName(QStringLiteral("chosenFields"));
    m_chosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    availableLabel->setBuddy(m_available);
    chosenLabel->setBuddy(m_chosen);

    const auto makeButton = [&](const QString &text, const QString &name) {
        auto *button = new QPushButton(text, page);
        button->setObjectName(name);
        button->setFixedWidth(40);
        m_fieldButtons.append(button);
        return button;
    };
    QPushButton *add = makeButton(QStringLiteral(">"), QStringLiteral("addField"));
    QPushButton *addAll = makeButton(QStringLiteral(">>"), QStringLiteral("addAllFields"));
    QPushButton *remove = makeButton(QStringLiteral("<"), QStringLiteral("removeField"));
    QPushButton *removeAll = makeButton(QStringLiteral("<<"), QStringLiteral("removeAllFields"));
    QPushButton *up = makeButton(QStringLiteral("▲"), QStringLiteral("fieldUp"));
    QPushButton *down = makeButton(QStringLiteral("▼"), QStringLiteral("fieldDown"));
    connect(add, &QPushButton::clicked, this, [this] { moveFields(m_available, m_chosen, false); });
    connect(addAll, &QPushButton::clicked, this, [this] { moveFields(m_available, m_chosen, true); });
    connect(remove, &QPushButton::clicked, this, [this] { moveFields(m_chosen, m_available, false); });
    connect(removeAll, &QPushButton::clicked, this, [this] { moveFields(m_chosen, m_available, true); });
    connect(up, &QPushButton::clicked, this, [this] { moveChosen(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveChosen(1); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { moveFields(m_available, m_chosen, false); });
    connect(m_chosen, &QListWidget::itemDoubleClicked, this, [this] { moveFields(m_chosen, m_available, false); });
    connect(m_available, &QListWidget::itemSelectionChanged, this, &ExportDialog::updateFieldButtons);
    connect(m_chosen, &QListWidget::itemSelectionChanged, this, &ExportDialog::updateFieldButtons);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {add, addAll, remove, removeAll})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);

    auto *layout = new QGridLayout(page);
    layout->addWidget(availableLabel, 0, 0);
    layout->addWidget(chosenLabel, 0, 2);
    layout->addWidget(m_available, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_chosen, 1, 2);
    return page;
}

void ExportDialog::setSource(engine::RowSource *source, const QList<ExportColumn> &columns, const QString &tableName)
{
    m_source = source;
    m_columns = columns;
    m_tableName = tableName;
    m_available->clear();
    m_chosen->clear();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        auto *item = new QListWidgetItem(columns[i].caption, m_chosen);
        item->setData(Qt::UserRole, int(i));
    }
    updateFieldButtons();
}

void ExportDialog::setCurrentRow(std::int64_t position)
{
    m_currentRow = std::max<std::int64_t>(0, position);
}

ExportFormat ExportDialog::format() const
{
    return static_cast<ExportFormat>(m_formats->checkedId());
}

void ExportDialog::setFormat(ExportFormat format)
{
    m_formats->button(int(format))->setChecked(true);
    formatChanged();
}

QString ExportDialog::fileName() const
{
    return m_fileEdit->text().trimmed();
}

void ExportDialog::setFileName(const QString &fileName)
{
    m_fileEdit->setText(withExtension(fileName, format()));
}

QList<ExportColumn> ExportDialog::chosenColumns() const
{
    QList<ExportColumn> chosen;
    for (int row = 0; row < m_chosen->count(); ++row)
        chosen.append(m_columns[m_chosen->item(row)->data(Qt::UserRole).toInt()]);
    return chosen;
}

void ExportDialog::browse()
{
    const ExportFormat chosen = format();
    const QString start = fileName().isEmpty() ? QDir::homePath() : fileName();
    // The overwrite question is asked once, when the export starts.
    const QString picked = QFileDialog::getSaveFileName(this, QString(), start, fileFilter(chosen), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (!picked.isEmpty())
        setFileName(picked);
}

void ExportDialog::formatChanged()
{
    const ExportFormat chosen = format();
    const bool toFile = !isClipboard(chosen);
    m_fileEdit->setEnabled(toFile && !m_running);
    m_browseButton->setEnabled(toFile && !m_running);
    m_openAfter->setEnabled(toFile && !m_running);
    m_printAfter->setEnabled(canPrint(chosen) && !m_running);
    if (!canPrint(chosen))
        m_printAfter->setChecked(false);
    if (toFile && !m_fileEdit->text().trimmed().isEmpty())
        m_fileEdit->setText(withExtension(m_fileEdit->text().trimmed(), chosen));
    updateTitle();
}

void ExportDialog::updateTitle()
{
    setWindowTitle(titleFor(isClipboard(format()) ? QString() : QDir::toNativeSeparators(fileName())));
}

void ExportDialog::updateFieldButtons()
{
    if (m_fieldButtons.size() < 6)
        return;
    m_fieldButtons[0]->setEnabled(!m_running && !m_available->selectedItems().isEmpty());
    m_fieldButtons[1]->setEnabled(!m_running && m_available->count() > 0);
    m_fieldButtons[2]->setEnabled(!m_running && !m_chosen->selectedItems().isEmpty());
    m_fieldButtons[3]->setEnabled(!m_running && m_chosen->count() > 0);
    m_fieldButtons[4]->setEnabled(!m_running && m_chosen->selectedItems().size() == 1);
    m_fieldButtons[5]->setEnabled(!m_running && m_chosen->selectedItems().size() == 1);
}

void ExportDialog::moveFields(QListWidget *from, QListWidget *to, bool all)
{
    QList<QListWidgetItem *> items;
    for (int row = 0; row < from->count(); ++row) {
        if (all || from->item(row)->isSelected())
            items.append(from->item(row));
    }
    for (QListWidgetItem *item : items) {
        from->takeItem(from->row(item));
        item->setSelected(false);
        to->addItem(item);
    }
    if (to == m_available) {
        // Fields go back to their place in the table's order.
        QList<QListWidgetItem *> ordered;
        while (m_available->count() > 0)
            ordered.append(m_available->takeItem(0));
        std::sort(ordered.begin(), ordered.end(), [](QListWidgetItem *a, QListWidgetItem *b) {
            return a->data(Qt::UserRole).toInt() < b->data(Qt::UserRole).toInt();
        });
        for (QListWidgetItem *item : ordered)
            m_available->addItem(item);
    }
    updateFieldButtons();
}

void ExportDialog::moveChosen(int step)
{
    const QList<QListWidgetItem *> selected = m_chosen->selectedItems();
    if (selected.size() != 1)
        return;
    const int row = m_chosen->row(selected.first());
    const int target = row + step;
    if (target < 0 || target >= m_chosen->count())
        return;
    QListWidgetItem *item = m_chosen->takeItem(row);
    m_chosen->insertItem(target, item);
    item->setSelected(true);
    m_chosen->setCurrentItem(item);
}

void ExportDialog::setRunning(bool running)
{
    m_running = running;
    m_progress->setVisible(running);
    m_cancelButton->setVisible(running);
    m_startButton->setEnabled(!running);
    m_closeButton->setEnabled(!running);
    m_pages->setEnabled(!running);
    m_printAfter->setEnabled(!running && canPrint(format()));
    m_openAfter->setEnabled(!running && !isClipboard(format()));
    m_fileEdit->setEnabled(!running && !isClipboard(format()));
    m_browseButton->setEnabled(!running && !isClipboard(format()));
    updateFieldButtons();
}

bool ExportDialog::reportProgress(std::int64_t done, std::int64_t total)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastEvents >= eventInterval) {
        m_lastEvents = now;
        if (total > 0 && m_progress->maximum() != total)
            m_progress->setRange(0, int(std::min<std::int64_t>(total, INT_MAX)));
        if (total > 0)
            m_progress->setValue(int(std::min<std::int64_t>(done, INT_MAX)));
        else
            m_progress->setFormat(QStringLiteral("%1").arg(done));
        QCoreApplication::processEvents();
    }
    return !m_cancelRequested;
}

void ExportDialog::requestCancel()
{
    if (!m_running || m_askingCancel || m_cancelRequested)
        return;
    m_askingCancel = true;
    if (MessageService::confirm(QStringLiteral("Export işlemini iptal etmek istermisiniz?")))
        m_cancelRequested = true;
    m_askingCancel = false;
}

void ExportDialog::reject()
{
    if (m_running) {
        requestCancel();
        return;
    }
    QDialog::reject();
}

void ExportDialog::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        event->ignore();
        requestCancel();
        return;
    }
    QDialog::closeEvent(event);
}

ExportJob ExportDialog::makeJob(const QList<ExportColumn> &columns)
{
    ExportJob job(*m_source, columns);
    job.setTableName(m_tableName);
    job.setValueText(m_valueText);
    job.setPageMargins(m_pageMargins);
    if (m_onlyCurrent->isChecked())
        job.setRowRange(RowRange::OnlyCurrent, m_currentRow);
    else if (!m_goFirst->isChecked())
        job.setRowRange(RowRange::FromCurrent, m_currentRow);
    return job;
}

bool ExportDialog::sourceIsEmpty()
{
    ExportJob probe = makeJob(chosenColumns());
    probe.restart();
    const bool empty = !probe.nextRow();
    probe.restart();
    return empty;
}

void ExportDialog::startExport()
{
    if (m_running || !m_source)
        return;
    const ExportFormat chosen = format();
    const QList<ExportColumn> columns = chosenColumns();
    if (columns.isEmpty()) {
        MessageService::warning(QStringLiteral("\nÇıkartılacak alan seçilmemiş."));
        return;
    }
    QString path;
    if (!isClipboard(chosen)) {
        path = withExtension(fileName(), chosen);
        if (path.isEmpty()) {
            MessageService::warning(QStringLiteral("\nOluşturulacak dosyanın adını yazınız."));
            m_fileEdit->setFocus();
            return;
        }
        m_fileEdit->setText(path);
        path = QFileInfo(path).absoluteFilePath();
        if (QFileInfo::exists(path) && !QFileInfo(path).isDir()
            && !MessageService::confirm(QStringLiteral("\n%1\ndosyası var. Üzerine yazılsın mı?")
                                            .arg(QDir::toNativeSeparators(path)))) {
            return;
        }
    }
    if (!m_allowEmpty->isChecked() && sourceIsEmpty()) {
        MessageService::warning(QStringLiteral("\nÇıkartılacak kayıt yok."));
        return;
    }

    ExportJob job = makeJob(columns);
    job.setProgress([this](std::int64_t done, std::int64_t total) { return reportProgress(done, total); });
    m_cancelRequested = false;
    m_lastEvents = 0;
    m_progress->setRange(0, job.expectedRows() > 0 ? int(std::min<std::int64_t>(job.expectedRows(), INT_MAX)) : 0);
    m_progress->setValue(0);
    m_progress->setFormat(job.expectedRows() > 0 ? QStringLiteral("%p%") : QStringLiteral("0"));
    setRunning(true);
    QCoreApplication::processEvents();
    const ExportResult result = Exporter::run(job, chosen, path);
    setRunning(false);
    m_lastResult = result;

    if (result.cancelled)
        return;
    if (!result.ok) {
        MessageService::error(result.message);
        return;
    }
    if (!isClipboard(chosen) && m_openAfter->isChecked() && m_open && !m_open(path))
        MessageService::warning(QStringLiteral("\nDosya açılamadı:\n%1").arg(QDir::toNativeSeparators(path)));
    if (canPrint(chosen) && m_printAfter->isChecked() && m_print) {
        ExportJob again = makeJob(columns);
        if (!m_print(chosen, path, again))
            MessageService::error(QStringLiteral("\nDosya yazdırılamadı:\n%1").arg(QDir::toNativeSeparators(path)));
    }
    accept();
}

} // namespace exporting
