#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// The settings collection: keys in insertion order, looked up without regard
// to letter case ("OD_LOGO" and "OD_Logo" are one key). Values loaded from
// the database are texts; code may store numbers too, and comparisons treat
// the text "1" and the number 1 alike (VarEquals).
class TColl
{
public:
    // Replaces the value of an existing key (keeping its position) or appends a new key.
    void SetValue(const QString& key, const QVariant& value);
    // The value, or the empty text when the key is absent.
    QVariant GetValue(const QString& key) const;
    // The value as text.
    QString Text(const QString& key) const { return GetValue(key).toString(); }
    // The value as an integer; an empty or non-numeric value raises the conversion error.
    int Int(const QString& key) const;
    // Whether the value equals the given one, as variants: "1" equals 1.
    bool Is(const QString& key, const QVariant& value) const;

    bool Contains(const QString& key) const { return indexOf(key) >= 0; }
    int Count() const { return static_cast<int>(m_names.size()); }
    const QStringList& Names() const { return m_names; }
    QVariant Value(int index) const { return m_values.at(index); }

    // Fills the collection from OD_Nastaveni_ALL.
    void Load();
    // Writes every key, in order, through od_nastaveni_upd (each call commits on its own).
    void Save() const;

private:
    int indexOf(const QString& key) const;

    QStringList m_names;
    std::vector<QVariant> m_values;
};

// Variant comparison of settings values: numbers compare as numbers when
// both sides read as numbers, otherwise as texts.
bool VarEquals(const QVariant& a, const QVariant& b);
