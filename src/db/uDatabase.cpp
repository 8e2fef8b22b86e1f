#include "db/uDatabase.h"

#include "core/uException.h"
#include "db/FbClient.h"
#include "db/Win1250.h"

#include <ibase.h>

#include <cstring>

namespace {

TDatabase* g_default = nullptr;

// Builds the connection's parameter block from the "name=value" lines.
Firebird::IXpbBuilder* buildDpb(fb::Status& status, const QStringList& params)
{
    Firebird::IXpbBuilder* dpb = fb::Util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
    for (const QString& line : params) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower();
        const QByteArray value = Win1250::encode(line.mid(eq + 1));
        unsigned char tag = 0;
        if (name == QLatin1String("user_name"))
            tag = isc_dpb_user_name;
        else if (name == QLatin1String("password"))
            tag = isc_dpb_password;
        else if (name == QLatin1String("sql_role_name"))
            tag = isc_dpb_sql_role_name;
        else if (name == QLatin1String("lc_ctype"))
            tag = isc_dpb_lc_ctype;
        else if (name == QLatin1String("config"))
            tag = isc_dpb_config;
        else
            continue;
        dpb->insertString(&status, tag, value.constData());
    }
    return dpb;
}

} // namespace

TDatabase* DefaultDatabase() { return g_default; }
void SetDefaultDatabase(TDatabase* db) { g_default = db; }

TDatabase::~TDatabase()
{
    Disconnect();
    if (g_default == this)
        g_default = nullptr;
}

void TDatabase::Connect()
{
    if (m_attachment)
        return;
    QString loadError;
    if (!fb::LoadClient(&loadError))
        throw TTalbreckException(QStringLiteral("Knihovnu databáze nelze načíst."), loadError);
    fb::Status status;
    Firebird::IXpbBuilder* dpb = buildDpb(status, Params);
    try {
        const QByteArray name = Win1250::encode(DatabaseName);
        m_attachment = fb::Provider()->attachDatabase(&status, name.constData(), dpb->getBufferLength(&status),
                                                      dpb->getBuffer(&status));
    } catch (...) {
        dpb->dispose();
        throw;
    }
    dpb->dispose();
}

void TDatabase::CreateDatabase(const QString& createStatement)
{
    Disconnect();
    QString loadError;
    if (!fb::LoadClient(&loadError))
        throw TTalbreckException(QStringLiteral("Knihovnu databáze nelze načíst."), loadError);
    fb::Status status;
    const QByteArray text = Win1250::encode(createStatement);
    FB_BOOLEAN isCreate = false;
    m_attachment = fb::Util()->executeCreateDatabase(&status, static_cast<unsigned>(text.size()), text.constData(), 3, &isCreate);
}

void TDatabase::Disconnect() noexcept
{
    if (!m_attachment)
        return;
    try {
        fb::Status status;
        m_attachment->detach(&status);
    } catch (...) {
        // A connection that cannot detach cleanly is dropped all the same.
        m_attachment->release();
    }
    m_attachment = nullptr;
}

QString TDatabase::ServerVersion()
{
    if (!m_attachment)
        return QString();
    QString version;
    const unsigned char items[] = {isc_info_firebird_version, isc_info_end};
    unsigned char buffer[512] = {};
    fb::Status status;
    m_attachment->getInfo(&status, sizeof items, items, sizeof buffer, buffer);
    // isc_info_firebird_version: count, then length-prefixed texts.
    if (buffer[0] == isc_info_firebird_version) {
        const unsigned char* p = buffer + 3;
        const int count = *p++;
        QStringList parts;
        for (int i = 0; i < count && p < buffer + sizeof buffer; ++i) {
            const int len = *p++;
            parts << QString::fromLatin1(reinterpret_cast<const char*>(p), len);
            p += len;
        }
        version = parts.join(QLatin1Char(' '));
    }
    return version;
}
