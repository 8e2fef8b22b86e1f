#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmChyba; }

// The error window: the text of an error that no window handled, with the
// way to report it to the program's authors.
class TfrmChyba : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmChyba(const QString& text, QWidget* parent = nullptr);
    ~TfrmChyba() override;

    // Shows the error modally (not in tests).
    static void Present(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void report();

    std::unique_ptr<Ui::TfrmChyba> ui;
    QString m_text;
};
