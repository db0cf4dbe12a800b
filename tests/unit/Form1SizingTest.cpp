// "Rohrweite bemessen…" against a recording window: what the dialog opens
// with, the choice kept with its result, a remembered file of series that
// cannot be read.
#include "app/Form1.h"
#include "fakes/RecordingView.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Box = View::TextBox;

class Form1SizingTest : public testing::Test {
protected:
    Form1SizingTest() : form(view, QLocale(QStringLiteral("de_DE")), WorkbookModule(QStringList{QStringLiteral("/nirgends/modul.so")})) {}
    void SetUp() override
    {
        form.Form_Load();
        view.type(Box::Text1, QStringLiteral("250"));
        view.type(Box::Text2, QStringLiteral("5"));
        form.Command1_Click();
    }
    QStringList reported()
    {
        form.mnudrucken_Click();
        return view.reports.back().pipeSizing;
    }

    RecordingView view;
    Form1 form;
};

TEST_F(Form1SizingTest, TheChoiceStaysWithItsResultUntilNeueEingabe)
{
    view.sizingAnswers.push_back({{QStringLiteral("kupfer"), QStringLiteral("2,0"), QStringLiteral("12"), QStringLiteral("4,5"),
                                   QStringLiteral("10")}, 7});  // 54×2, one larger than the rule's
    form.mnurohrweite_Click();
    ASSERT_EQ(view.sizingDialogs.size(), 1u);
    const View::SizingRequest& first = view.sizingDialogs[0].request;
    EXPECT_NEAR(first.flow, 1.62898, 1e-5);
    EXPECT_EQ(first.texts.series, QStringLiteral("Kupfer"));
    EXPECT_EQ(first.texts.maximumVelocity, QStringLiteral("2,0"));
    EXPECT_FALSE(first.size.has_value());
    // 54×2 at 1.62898 l/s, 10 °C: v 0.8296 m/s, R 1.6002 hPa/m (python3-fluids, python3-iapws).
    const QStringList lines = reported();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[1], QStringLiteral("Rohr: 54×2, di 50,0 mm"));
    EXPECT_EQ(lines[2], QStringLiteral("Fliessgeschwindigkeit v: 0,83 m/s (v max 2 m/s)"));
    EXPECT_EQ(lines[3], QStringLiteral("Druckgefälle R: 1,6 hPa/m"));

    // Opened again, it shows that choice; "Abbrechen" keeps it.
    form.mnurohrweite_Click();
    EXPECT_EQ(view.sizingDialogs.back().request.size, std::optional<std::size_t>(7));
    EXPECT_EQ(view.sizingDialogs.back().request.texts.length, QStringLiteral("12"));
    EXPECT_FALSE(reported().isEmpty());

    form.Command2_Click();
    EXPECT_FALSE(form.resultShown());
    EXPECT_TRUE(reported().isEmpty());
    form.mnurohrweite_Click();
    EXPECT_EQ(view.sizingDialogs.size(), 2u) << "no dialog without a result";
}

TEST_F(Form1SizingTest, ARememberedFileThatCannotBeReadIsNamedAndTheBuiltInSeriesServe)
{
    view.settings[QStringLiteral("Rohrweite/Rohrseriendatei")] = QStringLiteral("/weg/Serien.xlsx");
    form.mnurohrweite_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(view.messages[0].prompt.startsWith(QStringLiteral("Die Datei „%1“ kann nicht als Rohrserien gelesen werden.")
                                                       .arg(QDir::toNativeSeparators(QStringLiteral("/weg/Serien.xlsx")))));
    EXPECT_TRUE(view.messages[0].prompt.endsWith(QStringLiteral("Es gelten die eingebauten Rohrserien.")));
    ASSERT_EQ(view.sizingDialogs.size(), 1u);
    EXPECT_EQ(view.sizingDialogs[0].request.catalogue->series().size(), 5u);
    form.mnurohrweite_Click();
    EXPECT_EQ(view.messages.size(), 1u) << "said once, not at every opening";
}

}  // namespace
