#include "core/uDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <deque>

namespace {

struct SeamState
{
    bool testMode = false;
    std::deque<TMsgResult> answers;
    std::deque<QString> fileNames;
    std::deque<std::optional<QString>> inputs;
    QList<Dialogs::Shown> shown;
};

SeamState& seam()
{
    static SeamState s;
    return s;
}

TMsgCaptions& captions()
{
    static TMsgCaptions c;
    return c;
}

TMsgResult safeDefault(TMsgButtons buttons)
{
    switch (buttons) {
    case TMsgButtons::Ok: return TMsgResult::Ok;
    case TMsgButtons::YesNo: return TMsgResult::No;
    case TMsgButtons::YesNoCancel:
    case TMsgButtons::OkCancel: return TMsgResult::Cancel;
    }
    return TMsgResult::Cancel;
}

TMsgResult showBox(const QString& text, TMsgKind kind, TMsgButtons buttons)
{
    const TMsgCaptions& c = captions();
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    switch (kind) {
    case TMsgKind::Information: box.setIcon(QMessageBox::Information); box.setWindowTitle(c.information); break;
    case TMsgKind::Warning: box.setIcon(QMessageBox::Warning); box.setWindowTitle(c.warning); break;
    case TMsgKind::Error: box.setIcon(QMessageBox::Critical); box.setWindowTitle(c.error); break;
    case TMsgKind::Confirmation: box.setIcon(QMessageBox::Question); box.setWindowTitle(c.confirmation); break;
    }
    auto add = [&box](QMessageBox::StandardButton b, const QString& caption) { box.addButton(b)->setText(caption); };
    switch (buttons) {
    case TMsgButtons::Ok: add(QMessageBox::Ok, c.ok); break;
    case TMsgButtons::YesNo: add(QMessageBox::Yes, c.yes); add(QMessageBox::No, c.no); break;
    case TMsgButtons::YesNoCancel:
        add(QMessageBox::Yes, c.yes); add(QMessageBox::No, c.no); add(QMessageBox::Cancel, c.cancel); break;
    case TMsgButtons::OkCancel: add(QMessageBox::Ok, c.ok); add(QMessageBox::Cancel, c.cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return TMsgResult::Ok;
    case QMessageBox::Yes: return TMsgResult::Yes;
    case QMessageBox::No: return TMsgResult::No;
    default: return buttons == TMsgButtons::Ok ? TMsgResult::Ok : safeDefault(buttons);
    }
}

} // namespace

TMsgResult MessageDlg(const QString& text, TMsgKind kind, TMsgButtons buttons)
{
    SeamState& s = seam();
    if (!s.testMode) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            return showBox(text, kind, buttons);
        // A command-line tool has no windows: the message goes to the error output.
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return safeDefault(buttons);
    }
    TMsgResult answer = safeDefault(buttons);
    if (!s.answers.empty()) {
        answer = s.answers.front();
        s.answers.pop_front();
    }
    s.shown.append({text, kind, buttons, answer});
    return answer;
}

void ShowInfo(const QString& text) { MessageDlg(text, TMsgKind::Information); }
void ShowWarning(const QString& text) { MessageDlg(text, TMsgKind::Warning); }
void ShowError(const QString& text) { MessageDlg(text, TMsgKind::Error); }
bool Confirm(const QString& text) { return MessageDlg(text, TMsgKind::Confirmation, TMsgButtons::YesNo) == TMsgResult::Yes; }

void SetMsgCaptions(const TMsgCaptions& c) { captions() = c; }
const TMsgCaptions& MsgCaptions() { return captions(); }

namespace {

std::optional<QString> takeFileName()
{
    SeamState& s = seam();
    if (!s.testMode)
        return std::nullopt;
    if (s.fileNames.empty())
        return QString();
    QString name = s.fileNames.front();
    s.fileNames.pop_front();
    return name;
}

} // namespace

QString OpenFileDialog(QWidget* parent, const QString& title, const QString& dir, const QString& filter, const QString& defaultSuffix)
{
    if (auto queued = takeFileName())
        return *queued;
    QFileDialog dlg(parent, title, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(defaultSuffix);
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().constFirst() : QString();
}

QString SaveFileDialog(QWidget* parent, const QString& title, const QString& dir, const QString& filter, const QString& defaultSuffix)
{
    if (auto queued = takeFileName())
        return *queued;
    QFileDialog dlg(parent, title, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().constFirst() : QString();
}

QString FolderDialog(QWidget* parent, const QString& title, const QString& dir)
{
    if (auto queued = takeFileName())
        return *queued;
    return QFileDialog::getExistingDirectory(parent, title, dir);
}

std::optional<QString> TextInputDialog(QWidget* parent, const QString& title, const QString& label, const QString& value)
{
    SeamState& s = seam();
    if (s.testMode) {
        if (s.inputs.empty())
            return std::nullopt;
        const bool answered = s.inputs.front().has_value();
        const QString text = answered ? *s.inputs.front() : QString();
        s.inputs.pop_front();
        if (!answered)
            return std::nullopt;
        return text;
    }
    QInputDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(label);
    dlg.setTextValue(value);
    dlg.setOkButtonText(captions().ok);
    dlg.setCancelButtonText(captions().cancel);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

namespace Dialogs {

void setTestMode(bool on) { seam().testMode = on; }
bool testMode() { return seam().testMode; }
void setNextAnswer(TMsgResult answer) { seam().answers.push_back(answer); }
void setNextFileName(const QString& name) { seam().fileNames.push_back(name); }
void setNextInput(const std::optional<QString>& text) { seam().inputs.push_back(text); }

QList<Shown> takeShown()
{
    QList<Shown> out;
    out.swap(seam().shown);
    return out;
}

void reset()
{
    SeamState& s = seam();
    s.answers.clear();
    s.fileNames.clear();
    s.inputs.clear();
    s.shown.clear();
}

} // namespace Dialogs
