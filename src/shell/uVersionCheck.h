#pragma once

#include <QString>

// Asks the version service whether a newer ZUNO is out and offers the download.
// serverBase: the service's address without a trailing slash, e.g.
// "https://zuno.example.org". Parse and tag errors raise TTalbreckException;
// a failed request shows its status in an error box.
void CheckVersionOnline(const QString& serverBase);

// The version service's address: the registry value "verze_server", or the default.
QString VersionServer();
// The users' discussion forum: the registry value "forum", or the default.
QString ForumAddress();
