#pragma once

#include "ui/SForm.h"

#include <memory>
#include <optional>

namespace Ui { class TfrmInputBox; }

// The one-line input window: a caption, a labelled text box, "Uložit" and
// "Storno". "Uložit" is enabled only while the text holds more than blanks.
class TfrmInputBox : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmInputBox(QWidget* parent = nullptr);
    ~TfrmInputBox() override;

    void Prepare(const QString& caption, const QString& label, const QString& text);
    // The text as entered, without leading and trailing blanks.
    QString Text() const;
    void reject() override;

private:
    void updateSave();

    std::unique_ptr<Ui::TfrmInputBox> ui;
};

// Asks for one line of text ("Číselník" / "Položka" for a new code-list
// entry). Returns the text without surrounding blanks, or nothing after
// "Storno" or for a text of blanks only. Goes through TextInputDialog while
// the dialogs are in test mode.
std::optional<QString> xInputBox(QWidget* parent, const QString& caption, const QString& label, const QString& text = {});
