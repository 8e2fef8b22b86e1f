#include "db/FbClient.h"

#include "core/Version.h"
#include "core/uSystem.h"
#include "db/Win1250.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <iberror.h>

namespace fb {

namespace {

struct ClientState
{
    QLibrary library;
    IMaster* master = nullptr;
    IUtil* util = nullptr;
    IProvider* provider = nullptr;
};

ClientState& client()
{
    static ClientState* s = new ClientState; // lives until the process ends, like the engine
    return *s;
}

} // namespace

QString EngineRoot()
{
    QString root = qEnvironmentVariable("FIREBIRD");
    if (root.isEmpty()) {
        const QString bundled = ExeDir() + QStringLiteral("firebird");
        root = QFileInfo(bundled).isDir() ? bundled : QStringLiteral(ZUNO_FIREBIRD_ROOT);
    }
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return root;
}

QString ClientLibraryFile()
{
    return QStringLiteral("lib/libfbclient.so.2");
}

bool LoadClient(QString* error)
{
    ClientState& s = client();
    if (s.master)
        return true;
    const QString root = EngineRoot();
    // The client finds its plugins, messages and character sets through this variable.
    qputenv("FIREBIRD", QFile::encodeName(QDir::toNativeSeparators(root)));
    s.library.setFileName(root + ClientLibraryFile());
    s.library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!s.library.load()) {
        if (error)
            *error = s.library.errorString();
        return false;
    }
    using GetMaster = IMaster* (*)();
    auto getMaster = reinterpret_cast<GetMaster>(s.library.resolve("fb_get_master_interface"));
    if (!getMaster) {
        if (error)
            *error = s.library.errorString();
        return false;
    }
    s.master = getMaster();
    s.util = s.master->getUtilInterface();
    s.provider = s.master->getDispatcher();
    return true;
}

bool ClientLoaded() { return client().master != nullptr; }
IMaster* Master() { return client().master; }
IUtil* Util() { return client().util; }
IProvider* Provider() { return client().provider; }

Status::Status()
    : m_status(Master()->getStatus())
    , m_wrapper(m_status)
{
}

Status::~Status()
{
    m_status->dispose();
}

Error Describe(IStatus* status)
{
    Error e;
    // The number of a user exception stands right after its code.
    const intptr_t* v = status->getErrors();
    for (const intptr_t* p = v; p && *p != isc_arg_end;) {
        const intptr_t kind = p[0];
        if (kind == isc_arg_gds && p[1] == isc_except && p[2] == isc_arg_number) {
            e.exceptionNumber = static_cast<int>(p[3]);
            break;
        }
        p += (kind == isc_arg_cstring) ? 3 : 2;
    }

    char buffer[4096];
    const unsigned n = Util()->formatStatus(buffer, sizeof buffer, status);
    const QString raw = Win1250::decode(buffer, static_cast<qsizetype>(qstrnlen(buffer, n)));
    QStringList lines;
    for (QString line : raw.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('-')))
            line.remove(0, 1);
        lines << line.trimmed();
    }
    // The engine names the exception on the line after "exception N"; the
    // procedure's own message follows. Leave the name out so that the
    // message is the second line, as the program reads it.
    if (e.exceptionNumber != 0 && lines.size() > 2)
        lines.removeAt(1);
    e.text = lines.join(QStringLiteral("\r\n"));
    return e;
}

Error Describe(const Firebird::FbException& ex)
{
    return Describe(ex.getStatus());
}

} // namespace fb
