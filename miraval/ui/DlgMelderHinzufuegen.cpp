#include "miraval/ui/DlgMelderHinzufuegen.h"

#include "miraval/ui/Geschuetzt.h"
#include "tamsel/Tamsel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>

namespace {

constexpr int kModalOk = 1;
constexpr int kModalAbbrechen = 2;
constexpr int32_t kMinimum = 1;

// A text as the spin edit reads it: blanks around, an optional sign, decimal digits only
// (never octal); beyond the int range it saturates. Nothing for any other text.
std::optional<int32_t> LeseZahl(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negativ = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negativ = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    constexpr int64_t grenze = int64_t{INT32_MAX} + 1;
    int64_t wert = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        wert = std::min(wert * 10 + (c - u'0'), grenze);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(negativ ? -wert : wert, INT32_MIN, INT32_MAX));
}

// A spin edit that lets any text be typed (a spin box of Qt refuses what is out of range
// while it is typed) and reads it leniently. Enter goes to the dialog before the spin box
// could bring the text within the range.
class TAnzahlSpinEdit : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    std::function<bool(int)> OnKeyDown;

protected:
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
    int valueFromText(const QString& text) const override
    {
        return LeseZahl(text).value_or(minimum());
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        bool genommen = false;
        if (OnKeyDown)
            Geschuetzt([&] { genommen = OnKeyDown(event->key()); });
        if (genommen) {
            event->accept();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
};

} // namespace

TDlgMelderHinzufuegen::TDlgMelderHinzufuegen(QWidget* owner, int32_t* anzahl, int32_t maximum)
    : QDialog(owner), m_anzahl(anzahl)
{
    LOG_FKT("TDlgMelderHinzufuegen::TDlgMelderHinzufuegen");
    setObjectName(QStringLiteral("DlgMelderHinzufuegen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    LabelMelderHinzufuegen = new QLabel(QStringLiteral("Anzahl anzulegender Eingänge"), this);
    LabelMelderHinzufuegen->setObjectName(QStringLiteral("LabelMelderHinzufuegen"));
    auto* spin = new TAnzahlSpinEdit(this);
    spin->setObjectName(QStringLiteral("SpinEditAnzahlMelder"));
    spin->setKeyboardTracking(false);
    spin->setRange(kMinimum, std::max(kMinimum, maximum));
    spin->setValue(kMinimum);
    spin->OnKeyDown = [this](int key) { return SpinEditAnzahlMelderKeyDown(key); };
    SpinEditAnzahlMelder = spin;
    BtnOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BtnAbbrechen->setObjectName(QStringLiteral("BtnAbbrechen"));
    // Enter belongs to the spin edit; a button is pressed only by its own click or key.
    BtnOk->setAutoDefault(false);
    BtnAbbrechen->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelMelderHinzufuegen);
    layout->addWidget(SpinEditAnzahlMelder);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(BtnOk);
    knoepfe->addWidget(BtnAbbrechen);
    layout->addLayout(knoepfe);
    setTabOrder(SpinEditAnzahlMelder, BtnOk);
    setTabOrder(BtnOk, BtnAbbrechen);
    setFixedSize(QSize(233, 111).expandedTo(sizeHint()));

    connect(BtnOk, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnOkClick(); }); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, [this] { Geschuetzt([this] { BtnAbbrechenClick(); }); });
}

void TDlgMelderHinzufuegen::BtnOkClick()
{
    LOG_FKT("TDlgMelderHinzufuegen::BtnOkClick");
    // As when the edit loses the focus: the text becomes a value within the range.
    SpinEditAnzahlMelder->interpretText();
    Ende(SpinEditAnzahlMelder->value());
}

bool TDlgMelderHinzufuegen::SpinEditAnzahlMelderKeyDown(int key)
{
    LOG_FKT("TDlgMelderHinzufuegen::SpinEditAnzahlMelderKeyDown");
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const std::optional<int32_t> zahl = LeseZahl(SpinEditAnzahlMelder->text());
    if (!zahl || *zahl < kMinimum) {
        SpinEditAnzahlMelder->setValue(kMinimum);
        Ende(kMinimum);
    } else {
        Ende(*zahl);
    }
    return true;
}

void TDlgMelderHinzufuegen::BtnAbbrechenClick()
{
    LOG_FKT("TDlgMelderHinzufuegen::BtnAbbrechenClick");
    done(kModalAbbrechen);
}

void TDlgMelderHinzufuegen::reject()
{
    done(kModalAbbrechen);
}

void TDlgMelderHinzufuegen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SpinEditAnzahlMelder->setFocus();
    SpinEditAnzahlMelder->selectAll();
}

void TDlgMelderHinzufuegen::Ende(int32_t anzahl)
{
    if (m_anzahl != nullptr)
        *m_anzahl = anzahl;
    done(kModalOk);
}
