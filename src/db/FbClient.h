#pragma once

#include <QString>

#include <firebird/Interface.h>

// The Firebird client library, loaded when the program starts (not linked),
// and thin helpers over its object interface.
namespace fb {

using Firebird::IAttachment;
using Firebird::IMaster;
using Firebird::IMessageMetadata;
using Firebird::IProvider;
using Firebird::IResultSet;
using Firebird::IStatement;
using Firebird::IStatus;
using Firebird::ITransaction;
using Firebird::IUtil;

// The folder holding the engine: the FIREBIRD environment variable, else a
// "firebird" folder beside the program, else the system's engine. Ends with "/".
QString EngineRoot();
// The client library's path inside the engine root.
QString ClientLibraryFile();

// Loads the client library once per process. False with the loader's text
// when it cannot be loaded.
bool LoadClient(QString* error);
bool ClientLoaded();
IMaster* Master();
IUtil* Util();
IProvider* Provider();

// A status object owned for the duration of one call sequence; its wrapper
// throws Firebird::FbException on any error.
class Status
{
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &m_wrapper; }
    Firebird::ThrowStatusWrapper& wrapper() { return m_wrapper; }

private:
    IStatus* m_status;
    Firebird::ThrowStatusWrapper m_wrapper;
};

// What an engine error says, in the program's terms.
struct Error
{
    // The client's text with one line per item. For a user exception the first
    // line is "exception N" and the second the message the procedure gave.
    QString text;
    // The number of the user exception raised by a procedure or trigger; 0 for any other error.
    int exceptionNumber = 0;
};
Error Describe(const Firebird::FbException& e);
Error Describe(IStatus* status);

} // namespace fb
