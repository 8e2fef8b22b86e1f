#include "TestEnv.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "db/uDB_FB.h"
#include "db/uProjectDB.h"
#include "members/fImportExcel.h"
#include "members/uImportClenu.h"
#include "reports/uWorkbook.h"
#include "ui/SListView.h"

#include <QDate>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <xlsxwriter.h>
#include <zip.h>

namespace {

using Rows = QList<QVariantList>; // from row 1; a QString, a number, a bool or a QDate per cell

// Writes a workbook the way a spreadsheet program does: shared strings,
// numbers, truth values and dates with a custom and a built-in date format.
void writeXlsx(const QString& path, const QList<std::pair<QString, Rows>>& sheets)
{
    lxw_workbook* wb = workbook_new(QFile::encodeName(path).constData());
    QVERIFY(wb);
    lxw_format* custom = workbook_add_format(wb);
    format_set_num_format(custom, "d.m.yyyy");
    lxw_format* builtIn = workbook_add_format(wb);
    format_set_num_format_index(builtIn, 14);
    for (const auto& [name, rows] : sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, name.toUtf8().constData());
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < rows[r].size(); ++c) {
                const QVariant& v = rows[r][c];
                const auto row = lxw_row_t(r);
                const auto col = lxw_col_t(c);
                if (v.typeId() == QMetaType::QString) {
                    if (!v.toString().isEmpty())
                        worksheet_write_string(ws, row, col, v.toString().toUtf8().constData(), nullptr);
                } else if (v.typeId() == QMetaType::Bool) {
                    worksheet_write_boolean(ws, row, col, v.toBool(), nullptr);
                } else if (v.typeId() == QMetaType::QDate) {
                    const QDate d = v.toDate();
                    lxw_datetime dt {d.year(), d.month(), d.day(), 0, 0, 0};
                    worksheet_write_datetime(ws, row, col, &dt, c % 2 ? custom : builtIn);
                } else {
                    worksheet_write_number(ws, row, col, v.toDouble(), nullptr);
                }
            }
        }
    }
    QCOMPARE(workbook_close(wb), LXW_NO_ERROR);
}

void addZipEntry(zipFile zip, const char* name, const QByteArray& data, bool stored)
{
    zip_fileinfo info {};
    QCOMPARE(zipOpenNewFileInZip(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, stored ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION),
             ZIP_OK);
    QCOMPARE(zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())), ZIP_OK);
    QCOMPARE(zipCloseFileInZip(zip), ZIP_OK);
}

// Writes an OpenDocument spreadsheet as a spreadsheet program does: empty
// cells as repeated columns, a long run of empty rows after the data.
void writeOds(const QString& path, const QList<std::pair<QString, Rows>>& sheets)
{
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 office:version="1.2"><office:body><office:spreadsheet>)";
    for (const auto& [name, rows] : sheets) {
        xml += "<table:table table:name=\"" + name.toHtmlEscaped().toUtf8() + "\">";
        xml += "<table:table-column table:number-columns-repeated=\"40\"/>";
        for (const QVariantList& row : rows) {
            xml += "<table:table-row>";
            int empty = 0;
            auto flushEmpty = [&] {
                if (empty > 0)
                    xml += "<table:table-cell table:number-columns-repeated=\"" + QByteArray::number(empty) + "\"/>";
                empty = 0;
            };
            for (const QVariant& v : row) {
                if (v.typeId() == QMetaType::QString && v.toString().isEmpty()) {
                    ++empty;
                    continue;
                }
                flushEmpty();
                if (v.typeId() == QMetaType::QString) {
                    // A double blank is written as <text:s/>.
                    QByteArray text = v.toString().toHtmlEscaped().toUtf8();
                    text.replace("  ", " <text:s/>");
                    xml += "<table:table-cell office:value-type=\"string\"><text:p>" + text + "</text:p></table:table-cell>";
                } else if (v.typeId() == QMetaType::Bool) {
                    xml += QByteArray("<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"")
                           + (v.toBool() ? "true" : "false") + "\"><text:p>PRAVDA</text:p></table:table-cell>";
                } else if (v.typeId() == QMetaType::QDate) {
                    xml += "<table:table-cell office:value-type=\"date\" office:date-value=\"" + v.toDate().toString(Qt::ISODate).toUtf8()
                           + "\"><text:p>x</text:p></table:table-cell>";
                } else {
                    xml += "<table:table-cell office:value-type=\"float\" office:value=\"" + QByteArray::number(v.toDouble(), 'g', 17)
                           + "\"><text:p>1 234</text:p></table:table-cell>";
                }
            }
            xml += "<table:table-cell table:number-columns-repeated=\"1000\"/></table:table-row>";
        }
        xml += "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell table:number-columns-repeated=\"1024\"/>"
               "</table:table-row></table:table>";
    }
    xml += "</office:spreadsheet></office:body></office:document-content>";

    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), 0);
    QVERIFY(zip);
    addZipEntry(zip, "mimetype", "application/vnd.oasis.opendocument.spreadsheet", true);
    addZipEntry(zip, "content.xml", xml, false);
    QCOMPARE(zipClose(zip, nullptr), ZIP_OK);
}

// A sheet row of the import: the given columns set, the rest empty.
QVariantList importRow(const QString& surname, const QString& rc, const QString& kategorie, const QList<std::pair<int, QVariant>>& more = {})
{
    QVariantList row(ImportColumnCount, QString());
    row[0] = surname;
    row[1] = QStringLiteral("Jan");
    row[3] = rc;
    row[9] = kategorie;
    for (const auto& [column, value] : more)
        row[column - 1] = value;
    return row;
}

Rows importSheet(const Rows& people, int columns = ImportColumnCount)
{
    Rows rows;
    rows << QVariantList {QStringLiteral("Členové oddílu")};
    QVariantList header;
    for (int c = 0; c < columns; ++c)
        header << ImportColumnCaptions().at(c);
    rows << header;
    for (QVariantList person : people) {
        person.resize(columns);
        rows << person;
    }
    return rows;
}

QStringList sheetRowTexts(const TWorkbookSheet& sheet, int row, int columns)
{
    QStringList out;
    for (int c = 1; c <= columns; ++c)
        out << sheet.Cell(row, c);
    return out;
}

QString exceptionText(const std::function<void()>& f)
{
    try {
        f();
    } catch (const TTalbreckException& e) {
        return e.Text();
    }
    return {};
}

} // namespace

class TestMemberImport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;

    QString file(const char* name) const { return env->dataDir() + QString::fromLatin1(name); }

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }

    void cleanup()
    {
        project.reset();
        env.reset();
    }

    // Both workbook formats give a cell the text the user sees in it.
    void workbookCells_data()
    {
        QTest::addColumn<bool>("ods");
        QTest::newRow("xlsx") << false;
        QTest::newRow("ods") << true;
    }

    void workbookCells()
    {
        QFETCH(bool, ods);
        const Rows rows = {
            {QStringLiteral("Název")},
            {QStringLiteral("Říha Žofie  O'Neill"), 2019, 1.5, QDate(2019, 3, 1), QDate(2020, 12, 24), true, false, QString(),
             QStringLiteral("za mezerou"), 8503151239.0, -3},
        };
        const QString path = file(ods ? "cells.ods" : "cells.xlsx");
        if (ods)
            writeOds(path, {{QStringLiteral("Jiný"), {{QStringLiteral("x")}}}, {QStringLiteral("Import"), rows}});
        else
            writeXlsx(path, {{QStringLiteral("Jiný"), {{QStringLiteral("x")}}}, {QStringLiteral("Import"), rows}});

        TWorkbook book(path);
        QCOMPARE(book.SheetNames(), QStringList({QStringLiteral("Jiný"), QStringLiteral("Import")}));
        const TWorkbookSheet sheet = book.Sheet(QStringLiteral("Import"));
        QCOMPARE(sheet.Cell(1, 1), QStringLiteral("Název"));
        QCOMPARE(sheetRowTexts(sheet, 2, 12),
                 QStringList({QStringLiteral("Říha Žofie  O'Neill"), "2019", "1,5", "1.3.2019", "24.12.2020", "1", "0", "", "za mezerou",
                              "8503151239", "-3", ""}));
        QCOMPARE(sheet.LastRow(), 2);
        QCOMPARE(book.Sheet(QStringLiteral("Jiný")).Cell(1, 1), QStringLiteral("x"));
    }

    // Files that are no workbook the program reads get a message saying what to do.
    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("old binary workbook") << QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, '\0')
                                             << "Soubor \"sesit.xlsx\" je sešit starého formátu Excelu (.xls) nebo je chráněný heslem.";
        QTest::newRow("text file") << QByteArray("Příjmení;Jméno\n") << "Soubor \"sesit.xlsx\" není sešit ve formátu .xlsx ani .ods.";
        QTest::newRow("damaged zip") << QByteArray("PK\x03\x04garbage") << "Soubor \"sesit.xlsx\" není sešit ve formátu .xlsx ani .ods.";
    }

    void unreadableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        WriteBytes(file("sesit.xlsx"), content);
        QList<QStringList> rows;
        const QString text = exceptionText([&] { ReadImportSheet(file("sesit.xlsx"), rows); });
        QVERIFY2(text.startsWith(QStringLiteral("Chyba při otevírání souboru pro import.")), qPrintable(text));
        QVERIFY2(text.contains(message), qPrintable(text));
        QVERIFY(rows.isEmpty());
    }

    void importSheetRows()
    {
        // Rows end at the first empty first cell; a sheet of fewer columns leaves the rest empty.
        writeXlsx(file("kratky.xlsx"), {{QStringLiteral("Import"),
                                         importSheet({importRow(QStringLiteral("Novák"), QStringLiteral("850315/1239"), QStringLiteral("dorost")),
                                                      importRow(QStringLiteral("Dvořák"), QStringLiteral("900101/0007"), QStringLiteral("vedouci")),
                                                      importRow(QString(), QStringLiteral("x"), QStringLiteral("x")),
                                                      importRow(QStringLiteral("Za koncem"), QString(), QString())},
                                                     12)}});
        QList<QStringList> rows;
        ReadImportSheet(file("kratky.xlsx"), rows);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].size(), ImportColumnCount);
        QCOMPARE(rows[1].mid(0, 4), QStringList({"Dvořák", "Jan", "", "900101/0007"}));
        QCOMPARE(rows[1][9], QStringLiteral("vedouci"));
        QCOMPARE(rows[1].mid(12), QStringList(ImportColumnCount - 12));

        // No sheet "Import", and a sheet without the header row.
        writeXlsx(file("bez.xlsx"), {{QStringLiteral("List1"), importSheet({})}});
        QVERIFY(exceptionText([&] { ReadImportSheet(file("bez.xlsx"), rows); }).contains(QStringLiteral("nemá list \"Import\"")));
        writeXlsx(file("prazdny.xlsx"), {{QStringLiteral("Import"), {{QStringLiteral("jen nadpis")}}}});
        QVERIFY(exceptionText([&] { ReadImportSheet(file("prazdny.xlsx"), rows); })
                    .startsWith(QStringLiteral("Chyba při načtení počtu řádek.")));

        // The shipped sample: its header is the 32 columns and it holds nobody.
        const TWorkbookSheet sample = TWorkbook(QStringLiteral(ZUNO_IMPORT_SAMPLE)).Sheet(QStringLiteral("Import"));
        QCOMPARE(sheetRowTexts(sample, 2, ImportColumnCount), ImportColumnCaptions());
        QCOMPARE(sample.Cell(2, ImportColumnCount + 1), QString());
        rows.clear();
        ReadImportSheet(QStringLiteral(ZUNO_IMPORT_SAMPLE), rows);
        QVERIFY(rows.isEmpty());
    }

    // The checks made before anything of a row is stored.
    void rowChecks_data()
    {
        QTest::addColumn<QVariantList>("row");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QVariantList>("expected"); // pairs of column (1-based) and argument

        const QString rc = QStringLiteral("850315/1239");
        const QString dorost = QStringLiteral("dorost");
        QTest::newRow("empty membership is this year, flags") << importRow(QStringLiteral("Novák"), rc, dorost,
                                                                            {{6, QStringLiteral("Ano")}, {7, QStringLiteral(" 0 ")},
                                                                             {8, QStringLiteral("x")}})
                                                              << QString() << QVariantList {5, QDate(2026, 1, 1), 6, 1, 7, 0, 8, 1};
        QTest::newRow("flags no") << importRow(QStringLiteral("Novák"), rc, dorost, {{6, QStringLiteral("NE")}, {7, QStringLiteral("1")}})
                                  << QString() << QVariantList {6, 0, 7, 1, 8, 0};
        QTest::newRow("membership year") << importRow(QStringLiteral("Novák"), rc, dorost, {{5, QStringLiteral(" 2019 ")}}) << QString()
                                         << QVariantList {5, QDate(2019, 1, 1)};
        QTest::newRow("membership not a year") << importRow(QStringLiteral("Novák"), rc, dorost, {{5, QStringLiteral("loni")}})
                                               << "Neplatná hodnota členství 'loni' u člena 'Novák Jan'. Členství musí obsahovat rok."
                                               << QVariantList {};
        QTest::newRow("category in capitals") << importRow(QStringLiteral("Novák"), rc, QStringLiteral("Dorost")) << QString()
                                              << QVariantList {10, dorost};
        QTest::newRow("category written in Czech") << importRow(QStringLiteral("Novák"), rc, QStringLiteral("Žactvo")) << QString()
                                                   << QVariantList {10, QStringLiteral("zactvo")};
        QTest::newRow("category Junioři") << importRow(QStringLiteral("Novák"), rc, QStringLiteral("junioři")) << QString()
                                          << QVariantList {10, QStringLiteral("juniori")};
        QTest::newRow("no category") << importRow(QStringLiteral("Novák"), rc, QString())
                                     << "Kategorie u člena 'Novák Jan' není zadána.\nMusí obsahovat jednu z následujících hodnot: dorost, "
                                        "juniori, ostatni, vedouci, zactvo"
                                     << QVariantList {};
        QTest::newRow("unknown category") << importRow(QStringLiteral("Novák"), rc, QStringLiteral("Senior"))
                                          << "Kategorie u člena 'Novák Jan' obsahuje neplatnou hodnotu 'Senior'.\nMusí obsahovat jednu z "
                                             "následujících hodnot: dorost, juniori, ostatni, vedouci, zactvo"
                                          << QVariantList {};
        QTest::newRow("parent kinds") << importRow(QStringLiteral("Novák"), rc, dorost, {{11, QStringLiteral("Matka")}}) << QString()
                                      << QVariantList {11, QStringLiteral("2")};
        QTest::newRow("birth number without slash") << importRow(QStringLiteral("Novák"), QStringLiteral("8503151239"), dorost) << QString()
                                                    << QVariantList {4, rc};
        QTest::newRow("birth number with blanks") << importRow(QStringLiteral("Novák"), QStringLiteral("850315 / 123"), dorost) << QString()
                                                  << QVariantList {4, QStringLiteral("850315/123")};
        QTest::newRow("birth number since 2004 (+20)") << importRow(QStringLiteral("Novák"), QStringLiteral("052315/0006"), dorost)
                                                       << QString() << QVariantList {4, QStringLiteral("052315/0006")};
        QTest::newRow("birth number bad date") << importRow(QStringLiteral("Novák"), QStringLiteral("851315/1234"), dorost)
                                               << "Rodné číslo '851315/1234' u člena 'Novák Jan' není platné." << QVariantList {};
        QTest::newRow("text longer than the call takes") << importRow(QStringLiteral("Novák"), rc, dorost, {{19, QString(1001, QLatin1Char('x'))}})
                                                         << "Údaj \"Bydliště - ulice\" u člena 'Novák Jan' je příliš dlouhý (1001 znaků)."
                                                         << QVariantList {};
        QTest::newRow("birth number missing") << importRow(QStringLiteral("Novák"), QString(), dorost)
                                              << "Rodné číslo '' u člena 'Novák Jan' není platné." << QVariantList {};
    }

    void rowChecks()
    {
        QFETCH(QVariantList, row);
        QFETCH(QString, error);
        QFETCH(QVariantList, expected);
        QStringList texts;
        for (const QVariant& v : row)
            texts << v.toString();
        QVariantList args;
        const QString text = exceptionText([&] { args = ImportArguments(texts, 2026); });
        QCOMPARE(text, error);
        for (int i = 0; i + 1 < expected.size(); i += 2)
            QCOMPARE(args.value(expected[i].toInt() - 1), expected[i + 1]);
    }

    // The window: a good workbook stored whole; a bad row stops the transfer,
    // the rows stored before it leave the list and a second transfer stores
    // only the rest.
    void transfer()
    {
        project = env->openProject();
        const QString rc = QStringLiteral("850315/1239");
        Rows people = {
            importRow(QStringLiteral("Novák"), rc, QStringLiteral("dorost"),
                      {{5, 2015}, {6, QStringLiteral("ano")}, {11, QStringLiteral("otec")}, {12, QStringLiteral("Petr Novák")},
                       {17, QStringLiteral("777 888 999")}, {19, QStringLiteral("Dlouhá")}, {23, QStringLiteral("Krátká")},
                       {27, QStringLiteral("modrá")}, {32, QStringLiteral("první")}}),
            importRow(QStringLiteral("O'Neill"), QStringLiteral("9001010007"), QStringLiteral("vedouci"),
                      {{9, QStringLiteral("12345")}, {11, QStringLiteral("matka")}, {12, QStringLiteral("Eva")}}),
            importRow(QStringLiteral("Šťastná"), QStringLiteral("905101/0004"), QStringLiteral("ostatni")),
        };
        writeXlsx(file("clenove.xlsx"), {{QStringLiteral("Import"), importSheet(people)}});

        TfrmImportExcel window;
        auto* prevod = window.findChild<QPushButton*>(QStringLiteral("cmdPrevod"));
        QVERIFY(!prevod->isEnabled());
        QVERIFY(window.ReadFile(file("clenove.xlsx")));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPocet"))->text(), QStringLiteral("Počet členů: 3"));
        QVERIFY(prevod->isEnabled());
        const auto* list = window.findChild<TSListView*>(QStringLiteral("lstImport"));
        QCOMPARE(list->Count(), 3);
        QCOMPARE(list->Caption(1), QStringLiteral("O'Neill"));
        QCOMPARE(list->Model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("RČ"));
        // With ZUNO_SCREENSHOTS set to a folder the window's picture is kept there to look at.
        window.show();
        const QPixmap shot = window.grab();
        QVERIFY(!shot.isNull());
        if (const QString folder = qEnvironmentVariable("ZUNO_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(shot.save(folder + QStringLiteral("/import.png")));

        // The card number of the second person is too long: the first person
        // stays stored, nothing of the second is, and both it and the third stay listed.
        QVERIFY(!window.Transfer());
        auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, TMsgKind::Error);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("Chyba při uložení člena 'O'Neill Jan'")), qPrintable(shown[0].text));
        QVERIFY(shown[0].text.contains(QStringLiteral("Průkaz KČT")));
        QVERIFY(ReadText(env->dataDir() + QStringLiteral("ZUNO.log")).contains(QStringLiteral("Import z Excelu: Chyba při uložení člena")));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN")), 1);
        QCOMPARE(list->Count(), 2);
        QCOMPARE(list->Caption(0), QStringLiteral("O'Neill"));
        QCOMPARE(window.result(), 0);

        const qint64 id = QueryInt(QStringLiteral("select ID from CL_CLEN"));
        auto d = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {id}, {}, true);
        QVERIFY(d->Fetch());
        QCOMPARE(d->GetText(QStringLiteral("RC")), rc);
        QCOMPARE(d->GetDate(QStringLiteral("Clenstvi")), QDate(2015, 1, 1));
        QCOMPARE(d->GetInteger(QStringLiteral("Clen")), 1);
        QCOMPARE(d->GetText(QStringLiteral("Mobil")), QStringLiteral("777 888 999"));
        QCOMPARE(d->GetText(QStringLiteral("Trvale_Ulice")), QStringLiteral("Krátká"));
        QCOMPARE(d->GetText(QStringLiteral("Poznamka")), QStringLiteral("první"));
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_RODIC")), 1);

        // Corrected in the sheet and read again whole: the stored person is
        // left out, and everybody is stored once.
        people[1][8] = QStringLiteral("1234");
        writeXlsx(file("clenove.xlsx"), {{QStringLiteral("Import"), importSheet(people)}});
        QVERIFY(window.ReadFile(file("clenove.xlsx")));
        shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Řádky, které už byly převedeny do seznamu členů, byly vynechány (počet: 1)."));
        QCOMPARE(list->Count(), 2);
        QVERIFY(window.Transfer());
        QCOMPARE(window.result(), int(mrOK));
        QCOMPARE(Dialogs::takeShown().size(), 0);
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN")), 3);
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_RODIC")), 2);
        QCOMPARE(QueryInt(QStringLiteral("select count(*) from CL_CLEN where Prijmeni = 'Šťastná' and Pohlavi = 'Z'")), 1);
    }

    void readFailureKeepsWhatWasRead()
    {
        TfrmImportExcel window;
        WriteBytes(file("stary.xls"), QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, '\0'));
        QVERIFY(!window.ReadFile(file("stary.xls")));
        const auto shown = Dialogs::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QStringLiteral("uložte jako sešit .xlsx")));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPocet"))->text(), QStringLiteral("Počet členů: 0"));
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("cmdPrevod"))->isEnabled());
    }
};

QTEST_MAIN(TestMemberImport)
#include "tst_memberimport.moc"
