#pragma once

#include "app/View.h"
#include "tally/TallyRow.h"

#include <QDialog>

#include "app/window/TallyTableView.h"

#include <vector>

class NumberText;
class QLabel;
class QLineEdit;
class QPushButton;
class TallyModel;

// "Belastungswerte zusammenzählen": the draw-off points of a pipe section in
// a table (Entnahmestelle, BW je Stück, Anzahl, BW), below it the total, the
// largest single loading unit and the line that says which formula the
// calculation will take or why it will refuse, or which cell breaks its rule.
// "Übernehmen" (the default button, Return outside an editor) closes it only
// while the tally is transferable; "Abbrechen" and Escape close it without.
// "Zeile löschen" (Alt+Z, Delete) removes the selected rows, "Alle löschen"
// (Alt+A) every row. "Katalog einlesen…" (Alt+K) reads the user's file of
// draw-off points. The column "Entnahmestelle" offers the catalogue's names
// with their loading units and the names typed before. It opens with the
// keyboard in the first row's "Entnahmestelle".
class TallyDialog : public QDialog {
    Q_OBJECT

public:
    TallyDialog(QWidget* parent, const NumberText& numbers, const View::TallyRequest& request);

    // The rows as they stand, rows without any text left out.
    std::vector<tally::Row> rows() const;

    void accept() override;

private:
    void showSummary();
    void removeSelectedRows();
    void clearRows();
    void startAt(int row);
    void readCatalogueFile();
    // The names the column "Entnahmestelle" offers.
    std::vector<TallyCellDelegate::Offer> offers() const;

    const NumberText& m_numbers;
    View::TallyRequest m_request;

    TallyModel* m_model;
    TallyTableView* m_table;
    QLineEdit* m_total;
    QLineEdit* m_largest;
    QLabel* m_verdict;
    QPushButton* m_accept;
};
