#pragma once

#include <QString>
#include <exception>

// The program's own error: a message for the user and, optionally, the
// technical description (usually the text of a lower-level error).
class TTalbreckException : public std::exception
{
public:
    explicit TTalbreckException(const QString& message);
    TTalbreckException(const QString& message, const QString& description);

    const QString& Message() const { return m_message; }
    const QString& Description() const { return m_description; }
    // What the user reads: the message, then "Popis chyby:" and the description when there is one.
    const QString& Text() const { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

protected:
    void setText(const QString& text);

private:
    QString m_message;
    QString m_description;
    QString m_text;
    QByteArray m_utf8;
};

// Ends the program after its reason has already been shown to the user
// (a missing client library, no database to open). main() exits quietly on it.
class TAppTerminate : public std::exception
{
public:
    explicit TAppTerminate(int exitCode = 1) : m_exitCode(exitCode) {}
    int ExitCode() const { return m_exitCode; }
    const char* what() const noexcept override { return "application terminated"; }

private:
    int m_exitCode;
};
