#include "core/uException.h"

TTalbreckException::TTalbreckException(const QString& message)
    : m_message(message)
{
    setText(message);
}

TTalbreckException::TTalbreckException(const QString& message, const QString& description)
    : m_message(message)
    , m_description(description)
{
    setText(message + QStringLiteral("\r\n\r\nPopis chyby: \r\n") + description);
}

void TTalbreckException::setText(const QString& text)
{
    m_text = text;
    m_utf8 = text.toUtf8();
}
