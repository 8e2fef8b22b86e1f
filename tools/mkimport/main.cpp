// Makes the sample workbook for the members' import: the sheet "Import" with
// its title and the header row, text-formatted columns where a spreadsheet
// would otherwise turn numbers into something else, a list of categories to
// choose from, and a sheet "Návod" explaining each column.
#include "members/uImportClenu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <xlsxwriter.h>

namespace {

QByteArray utf8(const QString& s) { return s.toUtf8(); }

const char* const kGuide[][2] = {
    {"Příjmení", "Povinné. Řádek s prázdným příjmením import ukončí."},
    {"Jméno", ""},
    {"Přezdívka", ""},
    {"RČ", "Rodné číslo, např. 850315/1239 nebo 8503151239. Povinné."},
    {"Členství", "Rok, od kterého je členem, např. 2019. Prázdné = letošní rok."},
    {"Člen", "ano / ne (prázdné, „ne“ nebo 0 znamená ne)."},
    {"Plavec", "ano / ne."},
    {"Eurobeds", "ano / ne."},
    {"Průkaz KČT", "Číslo průkazu, nejvýše 4 znaky."},
    {"Kategorie", "Povinné: zactvo, dorost, juniori, vedouci nebo ostatni."},
    {"Rodič - typ", "otec, matka nebo zastupce; prázdné = bez rodiče."},
    {"Rodič - jméno", "Povinné, když je vyplněn typ rodiče."},
    {"Rodič - telefon", ""},
    {"Rodič - e-mail", ""},
    {"Kontakt - telefon", ""},
    {"Kontakt - telefon 2", ""},
    {"Kontakt - mobil", ""},
    {"Kontakt - e-mail", ""},
    {"Bydliště - ulice", ""},
    {"Bydliště - čp", "Nejvýše 10 znaků."},
    {"Bydliště - psč", "Nejvýše 10 znaků."},
    {"Bydliště - město", ""},
    {"Trv. pobyt - ulice", "Adresa trvalého pobytu, když se liší od bydliště."},
    {"Trv. pobyt - čp", ""},
    {"Trv. pobyt - psč", ""},
    {"Trv. pobyt - město", ""},
    {"Volitelné 1", "Uživatelem definované vlastnosti člena 1 až 5."},
    {"Volitelné 2", ""},
    {"Volitelné 3", ""},
    {"Volitelné 4", ""},
    {"Volitelné 5", ""},
    {"Poznámka", ""},
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zuno-mkimport OUTPUT.xlsx\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(out).absolutePath());
    lxw_workbook* wb = workbook_new(QFile::encodeName(out).constData());
    if (!wb)
        return 1;

    lxw_format* title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_font_size(title, 12);
    lxw_format* header = workbook_add_format(wb);
    format_set_bold(header);
    format_set_bg_color(header, 0xDDE8F3);
    format_set_border(header, LXW_BORDER_THIN);
    format_set_text_wrap(header);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    lxw_format* text = workbook_add_format(wb);
    format_set_num_format(text, "@");

    const QStringList& captions = ImportColumnCaptions();
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Import");
    worksheet_write_string(ws, 0, 0,
                           "Členové oddílu k importu do ZUNO. Druhý řádek neměňte; "
                           "od třetího řádku zapište každého člena na jeden řádek (vysvětlení na listu Návod).",
                           title);
    worksheet_set_row(ws, 1, 30, nullptr);
    for (int c = 0; c < captions.size(); ++c) {
        // Birth numbers, card numbers, phones and postcodes stay texts as typed.
        const bool asText = c == 3 || c == 8 || (c >= 12 && c <= 16) || c == 19 || c == 20 || c == 23 || c == 24;
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), c == 0 || c == 1 || c == 31 ? 16 : 13, asText ? text : nullptr);
        worksheet_write_string(ws, 1, lxw_col_t(c), utf8(captions.at(c)).constData(), header);
    }
    worksheet_freeze_panes(ws, 2, 1);

    const char* categories[] = {"zactvo", "dorost", "juniori", "vedouci", "ostatni", nullptr};
    lxw_data_validation category {};
    category.validate = LXW_VALIDATION_TYPE_LIST;
    category.value_list = const_cast<char**>(categories);
    category.show_error = LXW_VALIDATION_OFF;
    worksheet_data_validation_range(ws, 2, 9, 10001, 9, &category);
    const char* parents[] = {"otec", "matka", "zastupce", nullptr};
    lxw_data_validation parent {};
    parent.validate = LXW_VALIDATION_TYPE_LIST;
    parent.value_list = const_cast<char**>(parents);
    parent.show_error = LXW_VALIDATION_OFF;
    worksheet_data_validation_range(ws, 2, 10, 10001, 10, &parent);

    lxw_worksheet* guide = workbook_add_worksheet(wb, "Návod");
    worksheet_set_column(guide, 0, 0, 20, nullptr);
    worksheet_set_column(guide, 1, 1, 70, nullptr);
    worksheet_write_string(guide, 0, 0, "Sloupec", header);
    worksheet_write_string(guide, 0, 1, "Co do něj patří", header);
    int row = 1;
    for (const auto& [column, meaning] : kGuide) {
        worksheet_write_string(guide, lxw_row_t(row), 0, column, nullptr);
        worksheet_write_string(guide, lxw_row_t(row), 1, meaning, nullptr);
        ++row;
    }
    worksheet_activate(ws);
    return workbook_close(wb) == LXW_NO_ERROR ? 0 : 1;
}
