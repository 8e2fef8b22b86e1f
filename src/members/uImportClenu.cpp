#include "members/uImportClenu.h"

#include "core/uException.h"
#include "db/uDB_FB.h"
#include "members/uRodneCislo.h"
#include "reports/uWorkbook.h"

#include <QDate>
#include <QRegularExpression>

namespace {

const QString kSheet = QStringLiteral("Import");
const QString kCategories = QStringLiteral("Musí obsahovat jednu z následujících hodnot: dorost, juniori, ostatni, vedouci, zactvo");

// The sheet's columns, counted from 0.
enum Column {
    colPrijmeni, colJmeno, colPrezdivka, colRC, colClenstvi, colClen, colPlavec, colEuroBeds, colPrukaz, colKategorie,
    colRodicTyp, colRodicJmeno, colRodicTelefon, colRodicMail, colTelefon, colTelefon2, colMobil, colMail,
};

QString cellAt(const QStringList& row, int column)
{
    return column < row.size() ? row.at(column) : QString();
}

// The category written in the sheet as the ID of a category: letters in
// lower case (Czech ones too, so "Žactvo" is "zactvo"), the written-out
// Czech forms taken as their IDs.
QString categoryId(const QString& text)
{
    QString id = text.trimmed().toLower();
    static const std::pair<const char16_t*, const char16_t*> czech[] = {
        {u"ostatní", u"ostatni"}, {u"vedoucí", u"vedouci"}, {u"žactvo", u"zactvo"}, {u"junioři", u"juniori"}};
    for (const auto& [written, known] : czech)
        if (id == QStringView(written))
            return QString::fromUtf16(known);
    return id;
}

} // namespace

const QStringList& ImportColumnCaptions()
{
    static const QStringList captions = {
        QStringLiteral("Příjmení"), QStringLiteral("Jméno"), QStringLiteral("Přezdívka"), QStringLiteral("RČ"),
        QStringLiteral("Členství"), QStringLiteral("Člen"), QStringLiteral("Plavec"), QStringLiteral("Eurobeds"),
        QStringLiteral("Průkaz KČT"), QStringLiteral("Kategorie"), QStringLiteral("Rodič - typ"), QStringLiteral("Rodič - jméno"),
        QStringLiteral("Rodič - telefon"), QStringLiteral("Rodič - e-mail"), QStringLiteral("Kontakt - telefon"),
        QStringLiteral("Kontakt - telefon 2"), QStringLiteral("Kontakt - mobil"), QStringLiteral("Kontakt - e-mail"),
        QStringLiteral("Bydliště - ulice"), QStringLiteral("Bydliště - čp"), QStringLiteral("Bydliště - psč"),
        QStringLiteral("Bydliště - město"), QStringLiteral("Trv. pobyt - ulice"), QStringLiteral("Trv. pobyt - čp"),
        QStringLiteral("Trv. pobyt - psč"), QStringLiteral("Trv. pobyt - město"), QStringLiteral("Volitelné 1"),
        QStringLiteral("Volitelné 2"), QStringLiteral("Volitelné 3"), QStringLiteral("Volitelné 4"), QStringLiteral("Volitelné 5"),
        QStringLiteral("Poznámka"),
    };
    return captions;
}

bool IsYes(const QString& text)
{
    const QString t = text.trimmed().toLower();
    return !(t.isEmpty() || t == QLatin1String("ne") || t == QLatin1String("0"));
}

void ReadImportSheet(const QString& fileName, QList<QStringList>& rows)
{
    std::unique_ptr<TWorkbook> book;
    TWorkbookSheet sheet;
    try {
        book = std::make_unique<TWorkbook>(fileName);
        sheet = book->Sheet(kSheet);
    } catch (const TTalbreckException& e) {
        throw TTalbreckException(QStringLiteral("Chyba při otevírání souboru pro import."),
                                 e.Description().isEmpty() ? e.Message() : e.Message() + QLatin1Char('\n') + e.Description());
    }

    // The number of columns: the filled headers of row 2 from the first one on.
    int columns = 0;
    while (columns < ImportColumnCount && !sheet.Cell(2, columns + 1).trimmed().isEmpty())
        ++columns;
    if (columns == 0)
        throw TTalbreckException(QStringLiteral("Chyba při načtení počtu řádek."),
                                 QStringLiteral("Druhý řádek listu \"Import\" musí obsahovat záhlaví sloupců."));

    for (int r = 3; r <= sheet.LastRow(); ++r) {
        const QString caption = sheet.Cell(r, 1).trimmed();
        if (caption.isEmpty())
            break;
        QStringList row;
        row.reserve(ImportColumnCount);
        row << caption;
        for (int c = 2; c <= ImportColumnCount; ++c)
            row << (c <= columns ? sheet.Cell(r, c).trimmed() : QString());
        rows << row;
    }
}

QString ImportPersonName(const QStringList& row)
{
    return cellAt(row, colPrijmeni) + QLatin1Char(' ') + cellAt(row, colJmeno);
}

QVariantList ImportArguments(const QStringList& row, int currentYear)
{
    const QString who = ImportPersonName(row);

    int year = currentYear;
    const QString clenstvi = cellAt(row, colClenstvi).trimmed();
    if (!clenstvi.isEmpty()) {
        static const QRegularExpression yearText(QStringLiteral("^[0-9]{4}$"));
        year = yearText.match(clenstvi).hasMatch() ? clenstvi.toInt() : 0;
        if (year < 1900)
            throw TTalbreckException(QStringLiteral("Neplatná hodnota členství '") + clenstvi + QStringLiteral("' u člena '") + who
                                     + QStringLiteral("'. Členství musí obsahovat rok."));
    }

    const QString written = cellAt(row, colKategorie).trimmed();
    const QString kategorie = categoryId(written);
    if (kategorie.isEmpty())
        throw TTalbreckException(QStringLiteral("Kategorie u člena '") + who + QStringLiteral("' není zadána.\n") + kCategories);
    static const QStringList known = {QStringLiteral("dorost"), QStringLiteral("juniori"), QStringLiteral("ostatni"),
                                      QStringLiteral("vedouci"), QStringLiteral("zactvo")};
    if (!known.contains(kategorie))
        throw TTalbreckException(QStringLiteral("Kategorie u člena '") + who + QStringLiteral("' obsahuje neplatnou hodnotu '") + written
                                 + QStringLiteral("'.\n") + kCategories);

    QString rodicTyp = cellAt(row, colRodicTyp).trimmed().toLower();
    if (rodicTyp == QLatin1String("otec"))
        rodicTyp = QStringLiteral("1");
    else if (rodicTyp == QLatin1String("matka"))
        rodicTyp = QStringLiteral("2");
    else if (rodicTyp == QLatin1String("zastupce"))
        rodicTyp = QStringLiteral("3");

    // The birth number as the program keeps it, whether it was written with
    // the slash, without it or with blanks.
    const QString writtenRC = cellAt(row, colRC);
    QString rc = writtenRC;
    rc.remove(QRegularExpression(QStringLiteral("\\s")));
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]{9,10}$"));
    static const QRegularExpression withSlash(QStringLiteral("^[0-9]{6}/[0-9]{3,4}$"));
    if (digitsOnly.match(rc).hasMatch())
        rc.insert(6, QLatin1Char('/'));
    if (!withSlash.match(rc).hasMatch() || !BirthNumberDateValid(rc.left(6)))
        throw TTalbreckException(QStringLiteral("Rodné číslo '") + writtenRC + QStringLiteral("' u člena '") + who
                                 + QStringLiteral("' není platné."));

    // The database names a text too long for its field; one longer than its
    // call takes at all is refused here, before the call.
    for (int c = 0; c < ImportColumnCount; ++c) {
        const qsizetype length = cellAt(row, c).size();
        if (length > (c == ImportColumnCount - 1 ? 10000 : 1000))
            throw TTalbreckException(QStringLiteral("Údaj \"") + ImportColumnCaptions().at(c) + QStringLiteral("\" u člena '") + who
                                     + QStringLiteral("' je příliš dlouhý (%1 znaků).").arg(length));
    }

    QVariantList args;
    args.reserve(ImportColumnCount);
    for (int c = 0; c < ImportColumnCount; ++c) {
        switch (c) {
        case colRC: args << rc; break;
        case colClenstvi: args << QDate(year, 1, 1); break;
        case colClen:
        case colPlavec:
        case colEuroBeds: args << (IsYes(cellAt(row, c)) ? 1 : 0); break;
        case colKategorie: args << kategorie; break;
        case colRodicTyp: args << rodicTyp; break;
        default: args << cellAt(row, c); break;
        }
    }
    return args;
}

qint64 ImportStore(const QVariantList& arguments, const QString& person)
{
    try {
        auto q = xProcCall(QStringLiteral("CL_Clen_IMPORT"), arguments, {}, true);
        if (!q->Fetch())
            throw TTalbreckException(QStringLiteral("Chyba při uložení člena '") + person + QLatin1Char('\''));
        return q->GetInteger(QStringLiteral("ID_Clen"));
    } catch (const TTalbreckDBException& e) {
        throw TTalbreckException(QStringLiteral("Chyba při uložení člena '") + person + QLatin1Char('\''), e.Description());
    }
}
