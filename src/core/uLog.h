#pragma once

#include <QString>

// One log per process. A line reads
//   "INFO : zuno 2026-12-11 14:05:00 message (detail)"
// and the file is opened and closed for each line, so it can be read or
// removed while the program runs. A failed write never reaches the caller.

enum class LogLevel { Debug = 0, Info = 1, Warn = 2, Error = 3 };

void WriteLog(const QString& message, LogLevel level = LogLevel::Info, const QString& detail = {});
// Appends the SQL text + ";" to the SQL log.
void WriteSqlLog(const QString& sql, LogLevel level = LogLevel::Debug);

void OpenLog(const QString& path);
void CloseLog();
void SetSqlLog(const QString& path);
void CloseSqlLog();
void SetLevel(LogLevel level, bool on);
bool LevelOn(LogLevel level);
QString LogPath();
QString SqlLogPath();
// The five-character prefix of a level ("DEBUG", "INFO ", "WARN ", "ERROR").
QString LevelPrefix(LogLevel level);
// Forgets the failure reports, so a test can provoke them again.
void ResetLogFailureFlags();
