#include "app/Form1.h"

// Spreadsheet exchange: reading the first column of a workbook into the
// table and saving the table as a workbook.

void Form1::mnuexcel1_Click()
{
}

void Form1::mnuexcel2_Click()
{
}
