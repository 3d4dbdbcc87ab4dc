#include "miraval/dienste/Bilder.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <map>

namespace {

enum class TForm {
    Ordner,          // folder
    Quadrat,         // filled rounded square: a node, or an internal object with a link
    QuadratHohl,     // hollow rounded square: an internal object without a link
    Kreis,           // filled circle: an ETS object with a link
    Ring,            // hollow circle: an ETS object without a link
    Uhr,
    AufklappenAlle,
    EinklappenAlle,
    Drucker,
    Vorschau,
    Diskette,
    Kopie,
    Einfuegen,
};

struct TBild {
    int Index;
    TForm Form;
    QRgb Farbe;
    const char* Zeichen; // UTF-8 glyph on the shape; empty for pictures
    const char* Thema;   // icon-theme name, or null: always drawn
};

constexpr QRgb kLesen = 0xff2e7d32;
constexpr QRgb kSchreiben = 0xffc62828;
constexpr QRgb kLesenSchreiben = 0xff1565c0;
constexpr QRgb kKeinFlag = 0xff757575;
constexpr QRgb kGruppe = 0xff6a1b9a;
constexpr QRgb kGruppeOrdner = 0xffc99400;
constexpr QRgb kIntern = 0xff00897b;
constexpr QRgb kSicherung = 0xffef6c00;
constexpr QRgb kScharf = 0xff388e3c;
constexpr QRgb kScharfDunkel = 0xff1b5e20;
constexpr QRgb kAlarm = 0xffb71c1c;
constexpr QRgb kAnzeige = 0xff3949ab;
constexpr QRgb kStoerung = 0xff546e7a;
constexpr QRgb kWerkzeug = 0xff455a64;
constexpr QRgb kNeutral = 0xff9e9e9e;

// Objects: a circle for ETS objects, a square for internal ones; filled when linked. The
// glyph is the object's direction: L read, S write, LS both, a dot neither.
constexpr std::array kTabelle{
    TBild{1, TForm::Kreis, kLesen, "L", nullptr},
    TBild{2, TForm::Ring, kLesen, "L", nullptr},
    TBild{3, TForm::Kreis, kSchreiben, "S", nullptr},
    TBild{4, TForm::Ring, kSchreiben, "S", nullptr},
    TBild{5, TForm::Kreis, kLesenSchreiben, "LS", nullptr},
    TBild{6, TForm::Ring, kLesenSchreiben, "LS", nullptr},
    TBild{7, TForm::Ordner, kGruppeOrdner, "GA", nullptr},
    TBild{8, TForm::Quadrat, kGruppe, "H", nullptr},
    TBild{9, TForm::Quadrat, kGruppe, "M", nullptr},
    TBild{10, TForm::Quadrat, kGruppe, "U", nullptr},
    TBild{11, TForm::Kreis, kKeinFlag, "·", nullptr},
    TBild{12, TForm::Ring, kKeinFlag, "·", nullptr},
    TBild{13, TForm::Quadrat, kLesen, "L", nullptr},
    TBild{14, TForm::QuadratHohl, kLesen, "L", nullptr},
    TBild{15, TForm::Quadrat, kSchreiben, "S", nullptr},
    TBild{16, TForm::QuadratHohl, kSchreiben, "S", nullptr},
    TBild{17, TForm::Quadrat, kLesenSchreiben, "LS", nullptr},
    TBild{18, TForm::QuadratHohl, kLesenSchreiben, "LS", nullptr},
    TBild{19, TForm::Quadrat, kKeinFlag, "·", nullptr},
    TBild{20, TForm::QuadratHohl, kKeinFlag, "·", nullptr},
    TBild{21, TForm::Ordner, kIntern, "I", nullptr},
    TBild{22, TForm::Quadrat, kIntern, "U", nullptr},
    // Alarm-centre nodes.
    TBild{29, TForm::Quadrat, 0xff283593, "AZ", nullptr},
    TBild{30, TForm::Quadrat, 0xff6d4c41, "T", nullptr},
    TBild{31, TForm::Ordner, kSicherung, "SB", nullptr},
    TBild{32, TForm::Quadrat, 0xffd84315, "F", nullptr},
    TBild{33, TForm::Quadrat, 0xff00838f, "E", nullptr},
    TBild{34, TForm::Quadrat, 0xffad1457, "Ü", nullptr},
    TBild{35, TForm::Quadrat, 0xff8e24aa, "Sa", nullptr},
    TBild{36, TForm::Quadrat, kSicherung, "1", nullptr},
    TBild{37, TForm::Quadrat, kSicherung, "2", nullptr},
    TBild{38, TForm::Quadrat, kSicherung, "3", nullptr},
    TBild{39, TForm::Quadrat, kSicherung, "4", nullptr},
    TBild{40, TForm::Ordner, kScharf, "S", nullptr},
    TBild{41, TForm::Quadrat, kScharf, "1", nullptr},
    TBild{42, TForm::Quadrat, kScharf, "2", nullptr},
    TBild{43, TForm::Quadrat, kScharf, "3", nullptr},
    TBild{44, TForm::Quadrat, kScharf, "4", nullptr},
    TBild{45, TForm::Quadrat, kScharfDunkel, "S", nullptr},
    TBild{46, TForm::Quadrat, kScharfDunkel, "Q", nullptr},
    TBild{47, TForm::Quadrat, kAlarm, "A", nullptr},
    TBild{48, TForm::Ordner, kAlarm, "A", nullptr},
    TBild{49, TForm::Quadrat, kAlarm, "D", nullptr},
    TBild{50, TForm::Quadrat, kAlarm, "O", nullptr},
    TBild{51, TForm::Ordner, kAnzeige, "An", nullptr},
    TBild{52, TForm::Quadrat, kAnzeige, "1", nullptr},
    TBild{53, TForm::Quadrat, kAnzeige, "2", nullptr},
    TBild{54, TForm::Quadrat, kAnzeige, "3", nullptr},
    TBild{55, TForm::Quadrat, kAnzeige, "4", nullptr},
    TBild{56, TForm::Ordner, kStoerung, "!", nullptr},
    TBild{57, TForm::Quadrat, kStoerung, "!", nullptr},
    TBild{58, TForm::Quadrat, 0xff795548, "ÜG", nullptr},
    TBild{59, TForm::Uhr, kWerkzeug, "", nullptr},
    // Tool buttons.
    TBild{60, TForm::AufklappenAlle, kWerkzeug, "", nullptr},
    TBild{61, TForm::EinklappenAlle, kWerkzeug, "", nullptr},
    TBild{62, TForm::Quadrat, kSchreiben, "×", "edit-delete"},
    TBild{63, TForm::Vorschau, kWerkzeug, "", "document-print-preview"},
    TBild{64, TForm::Drucker, kWerkzeug, "", "document-print"},
    TBild{65, TForm::Quadrat, kScharf, "+", "list-add"},
    TBild{66, TForm::Kopie, kWerkzeug, "", "edit-copy"},
    TBild{67, TForm::Einfuegen, 0xff8d6e63, "", "edit-paste"},
    TBild{68, TForm::Diskette, kLesenSchreiben, "", "document-save"},
};

static_assert(std::is_sorted(kTabelle.begin(), kTabelle.end(),
                             [](const TBild& a, const TBild& b) { return a.Index < b.Index; }),
              "Indizes() answers the table's order");

const TBild* Eintrag(int index)
{
    auto it = std::find_if(kTabelle.begin(), kTabelle.end(),
                           [index](const TBild& b) { return b.Index == index; });
    return it == kTabelle.end() ? nullptr : &*it;
}

void Zeichen(QPainter& p, const QRectF& rect, const char* zeichen, const QColor& farbe)
{
    const QString text = QString::fromUtf8(zeichen);
    if (text.isEmpty())
        return;
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 8 : 11);
    p.setFont(font);
    p.setPen(farbe);
    p.drawText(rect, Qt::AlignCenter, text);
}

void Seite(QPainter& p, const QRectF& rect)
{
    p.setPen(QPen(QColor(0xff616161), 1));
    p.setBrush(Qt::white);
    p.drawRect(rect);
}

void Zeichne(QPainter& p, const TBild& b)
{
    const QColor farbe(b.Farbe);
    const QColor rand = farbe.darker(140);
    const QRectF voll(1.5, 1.5, 15, 15);
    switch (b.Form) {
    case TForm::Ordner: {
        QPainterPath pfad;
        pfad.moveTo(1.5, 3.5);
        pfad.lineTo(7, 3.5);
        pfad.lineTo(8.5, 5.5);
        pfad.lineTo(16.5, 5.5);
        pfad.lineTo(16.5, 15.5);
        pfad.lineTo(1.5, 15.5);
        pfad.closeSubpath();
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawPath(pfad);
        Zeichen(p, QRectF(1.5, 6, 15, 9.5), b.Zeichen, Qt::white);
        break;
    }
    case TForm::Quadrat:
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawRoundedRect(voll, 3, 3);
        Zeichen(p, voll, b.Zeichen, Qt::white);
        break;
    case TForm::QuadratHohl:
        p.setPen(QPen(farbe, 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2, 2, 14, 14), 3, 3);
        Zeichen(p, voll, b.Zeichen, farbe);
        break;
    case TForm::Kreis:
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawEllipse(voll);
        Zeichen(p, voll, b.Zeichen, Qt::white);
        break;
    case TForm::Ring:
        p.setPen(QPen(farbe, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2, 2, 14, 14));
        Zeichen(p, voll, b.Zeichen, farbe);
        break;
    case TForm::Uhr:
        p.setPen(QPen(farbe, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2, 2, 14, 14));
        p.setPen(QPen(farbe, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(9, 4.5));
        p.drawLine(QPointF(9, 9), QPointF(12.5, 10.5));
        break;
    case TForm::AufklappenAlle:
    case TForm::EinklappenAlle: {
        const bool auf = b.Form == TForm::AufklappenAlle;
        p.setPen(QPen(farbe, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        for (double y : {4.0, 10.0}) {
            const double spitze = auf ? y + 4 : y;
            const double basis = auf ? y : y + 4;
            p.drawPolyline(QPolygonF({QPointF(4, basis), QPointF(9, spitze), QPointF(14, basis)}));
        }
        break;
    }
    case TForm::Drucker:
        Seite(p, QRectF(5.5, 1.5, 7, 5));
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 2, 2);
        Seite(p, QRectF(4.5, 10.5, 9, 6));
        p.drawLine(QPointF(6, 13), QPointF(12, 13));
        p.drawLine(QPointF(6, 15), QPointF(10, 15));
        break;
    case TForm::Vorschau:
        Seite(p, QRectF(2.5, 1.5, 10, 14));
        for (double y : {4.5, 6.5, 8.5})
            p.drawLine(QPointF(4.5, y), QPointF(10.5, y));
        p.setPen(QPen(farbe, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(0xffe3f2fd));
        p.drawEllipse(QRectF(7.5, 7.5, 6, 6));
        p.drawLine(QPointF(13, 13), QPointF(16.5, 16.5));
        break;
    case TForm::Diskette:
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawRoundedRect(voll, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 9, 6));
        p.setBrush(QColor(0xffcfd8dc));
        p.drawRect(QRectF(5.5, 10.5, 7, 6));
        break;
    case TForm::Kopie:
        Seite(p, QRectF(1.5, 1.5, 9, 11));
        Seite(p, QRectF(7.5, 5.5, 9, 11));
        p.setPen(QPen(farbe, 1));
        for (double y : {8.5, 10.5, 12.5})
            p.drawLine(QPointF(9.5, y), QPointF(14.5, y));
        break;
    case TForm::Einfuegen:
        p.setPen(QPen(rand, 1));
        p.setBrush(farbe);
        p.drawRoundedRect(QRectF(1.5, 2.5, 12, 14), 2, 2);
        p.setBrush(QColor(0xffbdbdbd));
        p.drawRect(QRectF(4.5, 1.5, 6, 3));
        Seite(p, QRectF(7.5, 6.5, 9, 10));
        break;
    }
}

QPixmap Neutral()
{
    QPixmap bild(Bilder::Groesse, Bilder::Groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(kNeutral), 1.5));
    p.setBrush(QColor(0xfff5f5f5));
    p.drawRoundedRect(QRectF(2, 2, 14, 14), 3, 3);
    return bild;
}

} // namespace

QPixmap Bilder::Zeichnung(int index)
{
    const TBild* b = Eintrag(index);
    if (!b)
        return Neutral();
    QPixmap bild(Groesse, Groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Zeichne(p, *b);
    return bild;
}

QIcon Bilder::Icon(int index)
{
    static std::map<int, QIcon> cache;
    auto it = cache.find(index);
    if (it != cache.end())
        return it->second;
    const QIcon gezeichnet(Zeichnung(index));
    const TBild* b = Eintrag(index);
    QIcon icon = b && b->Thema ? QIcon::fromTheme(QString::fromLatin1(b->Thema), gezeichnet) : gezeichnet;
    cache.emplace(index, icon);
    return icon;
}

std::vector<int> Bilder::Indizes()
{
    std::vector<int> indizes;
    indizes.reserve(kTabelle.size());
    for (const TBild& b : kTabelle)
        indizes.push_back(b.Index);
    return indizes;
}
