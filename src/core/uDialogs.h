#pragma once

#include <QList>
#include <QString>
#include <optional>

class QWidget;

// Every message box, input box and file dialog of the program goes through
// here, so that a test can answer them in advance and nothing modal blocks it.

enum class TMsgKind { Information, Warning, Error, Confirmation };
enum class TMsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class TMsgResult { Ok, Cancel, Yes, No };

// Shows a message box with the program's captions and returns the button pressed.
TMsgResult MessageDlg(const QString& text, TMsgKind kind, TMsgButtons buttons = TMsgButtons::Ok);
void ShowInfo(const QString& text);
void ShowWarning(const QString& text);
void ShowError(const QString& text);
// A Yes/No confirmation; true for Yes.
bool Confirm(const QString& text);

// The texts of the standard message box; TProject sets the Czech ones.
struct TMsgCaptions
{
    QString yes = QStringLiteral("&Yes");
    QString no = QStringLiteral("&No");
    QString all = QStringLiteral("&All");
    QString cancel = QStringLiteral("&Cancel");
    QString ok = QStringLiteral("OK");
    QString warning = QStringLiteral("Warning");
    QString error = QStringLiteral("Error");
    QString information = QStringLiteral("Information");
    QString confirmation = QStringLiteral("Confirm");
};
void SetMsgCaptions(const TMsgCaptions& captions);
const TMsgCaptions& MsgCaptions();

// File and text dialogs. An empty result (or nothing) means the user cancelled.
QString OpenFileDialog(QWidget* parent, const QString& title, const QString& dir, const QString& filter, const QString& defaultSuffix = {});
QString SaveFileDialog(QWidget* parent, const QString& title, const QString& dir, const QString& filter, const QString& defaultSuffix = {});
QString FolderDialog(QWidget* parent, const QString& title, const QString& dir);
std::optional<QString> TextInputDialog(QWidget* parent, const QString& title, const QString& label, const QString& value);

namespace Dialogs {

struct Shown
{
    QString text;
    TMsgKind kind;
    TMsgButtons buttons;
    TMsgResult answer;
};

// In test mode nothing is shown: message boxes take the next queued answer
// (or their safe default: OK, No, Cancel), file dialogs the next queued name
// (or cancel), input boxes the next queued text (or cancel).
void setTestMode(bool on);
bool testMode();
void setNextAnswer(TMsgResult answer);
void setNextFileName(const QString& name);
void setNextInput(const std::optional<QString>& text);
// The boxes shown since the last call, oldest first.
QList<Shown> takeShown();
// Forgets queued answers and shown boxes.
void reset();

} // namespace Dialogs
