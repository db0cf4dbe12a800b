#pragma once

#include "app/View.h"

#include <QDialog>

#include <array>

class NumberText;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Rohrweite bemessen": the peak flow of the shown result, the series and
// the values it is sized by, and a table of every size of the series with
// its velocity and losses (sizes above v max marked). The rule's size is
// selected, another may be; the line below names the choice. Every value
// follows the typing; a box that cannot serve is marked and named, and
// "Übernehmen" is disabled until it can.
class SizingDialog : public QDialog {
    Q_OBJECT

public:
    SizingDialog(QWidget* parent, const NumberText& numbers, const View::SizingRequest& request);

    View::SizingAnswer answer() const;
    void accept() override;

private:
    enum class Keep { Size, Recommended };
    void fillSeries();
    void update(Keep keep);
    void showChoice();
    void readSeriesFile();
    pipes::SizingTexts texts() const;

    const NumberText& m_numbers;
    View::SizingRequest m_request;
    pipes::SizingSheet m_sheet;
    QComboBox* m_series;
    std::array<QLineEdit*, 4> m_values{};  // v max, Länge, Σζ, Temperatur
    QTableWidget* m_table;
    QLabel* m_choice;
    QPushButton* m_accept;
};
