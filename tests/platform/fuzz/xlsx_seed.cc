// Writes the .xlsx fuzz run's seed: a one-sheet workbook of shared and inline
// texts, numbers, a date, a boolean and a formula.
#include <xlsxwriter.h>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    lxw_workbook *book = workbook_new(argv[1]);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    worksheet_write_string(sheet, 0, 0, "NO", nullptr);
    worksheet_write_string(sheet, 0, 1, "\xEA\xB8\x88\xEC\x95\xA1", nullptr);
    worksheet_write_number(sheet, 1, 0, 1, nullptr);
    worksheet_write_number(sheet, 1, 1, 1000, nullptr);
    worksheet_write_number(sheet, 1, 2, 45352, date);
    worksheet_write_boolean(sheet, 1, 3, 1, nullptr);
    worksheet_write_formula_num(sheet, 1, 4, "=1+1", nullptr, 2);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}
