#pragma once

#include "settings/warningsettings.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

namespace widgets { class ColouredButton; }

namespace forms {

// The warning settings dialog ("Genel Çek Ayarları"): the colouring switch,
// the two warning colours and the number of days of early warning.
//
// The dialog never reads the settings file. Its owner fills the controls with
// setSettings() (the settings loader does this before every showing) and names
// the file save() writes with setSettingsFile(). "YARLARI KAYDET" saves and
// closes; "VAZGEÇ", F12 and the close box close without saving.
//
// Typical use by the main window:
//     dialog.setSettingsFile(settingsFile());
//     connect(&dialog, &WarningSettingsDialog::saved, this, &MainWindow::setWarningSettings);
//     loadWarningSettings();  dialog.setSettings(warningSettings());
//     widgets::MessageService::execDialog(&dialog);
//     loadWarningSettings();  dialog.setSettings(warningSettings());  countStatusLine();
class WarningSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for a colour, starting from initial; returns the colour picked, or
    // an invalid QColor when the user cancelled.
    using ColourPicker = std::function<QColor(const QColor &initial, QWidget *parent)>;

    explicit WarningSettingsDialog(QWidget *parent = nullptr);
    ~WarningSettingsDialog() override;

    // Sets the four controls from settings (the day count is brought into
    // 0..99). The warning date is carried along unchanged into what save()
    // hands back.
    void setSettings(const settings::WarningSettings &settings);
    // The settings as the controls show them now. The day count is the spin
    // edit's text read as a whole number (0 when it is none), brought into 0..99.
    settings::WarningSettings settings() const;

    // The file save() writes: Ayarlar.ini in the program folder.
    void setSettingsFile(const QString &path) { m_settingsFile = path; }
    QString settingsFile() const { return m_settingsFile; }

    // Replaces the colour dialog (tests); an empty picker restores Qt's colour
    // dialog, run through the message service.
    void setColourPicker(ColourPicker picker);

    // The values of the last successful save of this showing, if any.
    const std::optional<settings::WarningSettings> &savedSettings() const { return m_saved; }

    QCheckBox *colouringBox() const { return m_colouring; }
    QFrame *dueTextSwatch() const { return m_dueTextSwatch; }
    QFrame *secondSwatch() const { return m_secondSwatch; }
    QSpinBox *daysBox() const { return m_days; }
    QToolButton *helpButton() const { return m_help; }
    widgets::ColouredButton *saveButton() const { return m_save; }
    widgets::ColouredButton *cancelButton() const { return m_cancel; }
    QLabel *noteLabel() const { return m_note; }

    // The help text of the "?" button.
    static QString helpText();

public slots:
    // Writes the four settings into section CEK_AYARLARI of settingsFile(),
    // keeping the rest of the file, whole or not at all. On success emits
    // saved(), remembers the values and closes the dialog; returns true. On
    // failure shows the message naming the file, stays open and returns false.
    bool save();
    // Opens the colour dialog for one swatch; cancelling changes nothing.
    void pickDueTextColour();
    void pickSecondColour();
    // Shows the help text.
    void showHelp();

signals:
    // The values just written to the file, for the main window to hold at once.
    void saved(const settings::WarningSettings &settings);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pickColour(QFrame *swatch, settings::ColourCode &colour);
    void paintSwatch(QFrame *swatch, settings::ColourCode colour);

    QCheckBox *m_colouring = nullptr;
    QFrame *m_dueTextSwatch = nullptr;
    QFrame *m_secondSwatch = nullptr;
    QSpinBox *m_days = nullptr;
    QToolButton *m_help = nullptr;
    widgets::ColouredButton *m_save = nullptr;
    widgets::ColouredButton *m_cancel = nullptr;
    QLabel *m_note = nullptr;

    settings::ColourCode m_dueTextColour;
    settings::ColourCode m_secondColour;
    QDate m_warningDate;
    QString m_settingsFile;
    ColourPicker m_picker;
    std::optional<settings::WarningSettings> m_saved;
};

} // namespace forms
