#pragma once

#include <QDomDocument>
#include <QString>
#include <memory>

class QWidget;

// The root of the application object: the program's folders, its registry
// key, the log, the locale and help. Exactly one exists per process; every
// part of the program reaches it through Project().
class TProject
{
public:
    // Throws TTalbreckException when the data folder does not exist.
    TProject(const QString& appName, bool logging);
    virtual ~TProject();

    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    // Opens the help page `topic` (e.g. "na_zalohadat.htm") in the desktop's
    // viewer; without a topic the help's first page. Nothing happens when the
    // program has no help folder.
    void ShowHelp(const QString& topic = {}) const;
    // Copies the texts of the locale file into the window; nothing without a locale file.
    void ApplyLocale(QWidget* window) const;
    // The registry value "language", "cz" by default.
    QString Language() const;
    void SetHelpFile(const QString& path);

    QString HelpFile;   // the help folder, with a trailing slash
    QString DataDir;    // the data folder, with a trailing slash
    QString AppName;
    QString RegKey;     // "Software\Talbreck\" + AppName
    bool Logging = false;
    std::unique_ptr<QDomDocument> Locale;
};

// The application object of this process, or null before it exists.
TProject* Project();
