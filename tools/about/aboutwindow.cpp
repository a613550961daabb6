#include "aboutwindow.h"

#include "location/datalocation.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(const QString &dataFolder, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Selvora Hakkında"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *name = new QLabel(QStringLiteral("Selvora"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);

    auto *version = new QLabel(QStringLiteral("Sürüm 1.4"), this);
    auto *description = new QLabel(
        QStringLiteral("Küçük işletmeler için çek takip programı: firma çekleri ile müşteri "
                       "çeklerini, vadelerini ve durumlarını izler."),
        this);
    description->setWordWrap(true);
    auto *licence = new QLabel(QStringLiteral("Özgür yazılımdır: GNU Genel Kamu Lisansı, sürüm 3 ya da (dilediğiniz "
                                              "gibi) sonraki bir sürüm (GPL-3.0-or-later) ile dağıtılır."),
                               this);
    licence->setWordWrap(true);
    auto *data = new QLabel(QStringLiteral("Veri klasörü:\n") + QDir::toNativeSeparators(dataFolder), this);
    data->setObjectName(QStringLiteral("dataFolder"));
    data->setTextInteractionFlags(Qt::TextSelectableByMouse);
    data->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Tamam"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(description);
    layout->addWidget(licence);
    layout->addSpacing(8);
    layout->addWidget(data);
    layout->addStretch();
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString AboutWindow::dataFolderFor(const QString &programFolder, const QString &argument)
{
    const QString name = argument.trimmed();
    QDir folder(programFolder);
    const bool plainFileName = !name.isEmpty() && name.size() <= 255 && !name.contains(QLatin1Char('/'))
                               && !name.contains(QLatin1Char('\\')) && name != QLatin1String(".")
                               && name != QLatin1String("..");
    if (plainFileName) {
        const QFileInfo executable(folder.filePath(name));
        if (executable.isFile())
            folder = executable.absoluteDir();
    }
    return QDir::cleanPath(location::DataLocation::forProgramFolder(folder.absolutePath()).dataFolder());
}
