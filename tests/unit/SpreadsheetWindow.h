#pragma once

#include "app/Form1.h"
#include "fakes/GridRows.h"
#include "fakes/RecordingView.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QLocale>

#include <utility>
#include <vector>

// The window of the spreadsheet tests, in a German locale: after start, with
// the given (total, largest single unit) entered, each followed by "Neue
// Eingabe" except the last, whose result stays shown when leaveComputed is set.
struct SpreadsheetWindow {
    RecordingView view;
    Form1 form;

    // The workbook files linked into the test, unless another module is given.
    explicit SpreadsheetWindow(const std::vector<std::pair<const char*, const char*>>& entries = {}, bool leaveComputed = false,
                               WorkbookModule workbooks = WorkbookModule(linkedWorkbookFiles()))
        : form(view, QLocale(QLocale::German, QLocale::Germany), std::move(workbooks))
    {
        form.Form_Load();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            view.type(View::TextBox::Text1, QString::fromLatin1(entries[i].first));
            view.type(View::TextBox::Text2, QString::fromLatin1(entries[i].second));
            form.Command1_Click();
            if (!(leaveComputed && i + 1 == entries.size())) form.Command2_Click();
        }
        view.messages.clear();
        view.dialogs.clear();
    }

    std::vector<QStringList> table() const { return gridRows(view.grid); }

    void import(const QString& path)
    {
        view.dialogAnswers.push_back(path);
        form.mnuexcel1_Click();
    }
    void save(const QString& path)
    {
        view.dialogAnswers.push_back(path);
        form.mnuexcel2_Click();
    }
};
