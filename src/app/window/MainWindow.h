#pragma once

#include "app/Form1.h"
#include "app/ModuleFile.h"
#include "app/View.h"
#include "app/window/ModalPresenter.h"

#include <QFileDialog>
#include <QMainWindow>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class Grid;
class PictureCanvas;
class ReportPrinting;
class ResultsGridView;
class Twips;
namespace report {
struct Chart;
}

// The program's one window, "Berechnung Gipfelfluss": its controls at fixed
// places (given in twips, see Twips.h), the menu bar, and the wiring of the
// buttons and menu items to the procedures of Form1, which it owns. Form1
// draws the chart and sets up the table while the window is built, before it
// is first shown.
//
// The window is a sizable tool window without minimise and maximise boxes.
// Resizing moves and scales nothing; a smaller window cuts off the right and
// lower part of the layout. Closing it through the window system ends the
// program, as "Beenden" does.
class MainWindow : public QMainWindow, public View {
    Q_OBJECT

public:
    static constexpr int clientWidthTwips = 12135;
    static constexpr int clientHeightTwips = 9240;
    static constexpr QRgb background = qRgb(192, 192, 192);

    // Modal dialogs go through the presenter; without one they are executed.
    // `printModule`: where printing is loaded from on first use; where the
    // program keeps it when not given.
    explicit MainWindow(ModalPresenter presenter = {}, QWidget* parent = nullptr,
                        std::optional<ModuleFile> printModule = std::nullopt);
    ~MainWindow() override;

    QString text(TextBox box) const override;
    void setText(TextBox box, const QString& text) override;
    Canvas& Picture1() override;
    Grid& MSFlexGrid1() override;
    void showMessage(const QString& prompt, Icon icon, const QString& caption) override;
    QString showOpenDialog(const QString& fileName, const QList<FileFilter>& filters) override;
    QString showSaveDialog(const QString& fileName, const QList<FileFilter>& filters, const QString& suffix,
                           const QStringList& replaced = {}) override;
    std::optional<std::vector<tally::Row>> showTallyDialog(const TallyRequest& request) override;
    std::optional<SizingAnswer> showSizingDialog(const SizingRequest& request) override;
    QString setting(const QString& key) const override;
    void setSetting(const QString& key, const QString& value) override;
    bool showDocument(const QString& path) override;
    void writeReport(QIODevice& device, const ReportContent& content) override;
    void printReport(const ReportContent& content) override;
    void endProgram() override;

    Form1& form() { return m_form; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(QWidget& client, const Twips& twips);
    void createMenus();
    void setFocusOrder();
    void enableSizing();
    report::Chart chart() const;
    QString runFileDialog(QFileDialog& dialog, const QString& fileName, const QList<FileFilter>& filters);

    ModalPresenter m_present;
    Grid* m_grid;
    std::array<QLineEdit*, 4> m_boxes{};  // Text1 .. Text4
    std::array<QPushButton*, 3> m_buttons{};  // Command1 .. Command3
    PictureCanvas* m_picture = nullptr;
    ResultsGridView* m_gridView = nullptr;
    Form1 m_form;
    bool m_iconPending = true;  // until the first paint
    ModuleFile m_printModule;
    const ReportPrinting* m_printing = nullptr;  // once loaded
    QAction* m_sizingAction = nullptr;  // "Rohrweite bemessen…"
};
