#include "miraval/dienste/Bilder.h"

#include "miraval/dienste/DaMo.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// What nodes answer from GetIcon (objects 1-6, 11-20; group addresses 7-10, 21, 22;
// alarm-centre nodes 29-59) and the tool buttons' images (60-68).
std::vector<int> GenutzteIndizes()
{
    std::vector<int> indizes;
    for (int i = 1; i <= 22; ++i)
        indizes.push_back(i);
    for (int i = 29; i <= 68; ++i)
        indizes.push_back(i);
    return indizes;
}

TEST(Bilder, EveryIndexInUseHasItsOwnDrawing)
{
    const std::vector<int> tabelle = Bilder::Indizes();
    std::vector<QImage> gesehen;
    for (int index : GenutzteIndizes()) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(std::binary_search(tabelle.begin(), tabelle.end(), index)) << "not in the table";
        const QImage bild = Bilder::Zeichnung(index).toImage();
        EXPECT_EQ(bild.size(), QSize(Bilder::Groesse, Bilder::Groesse));
        EXPECT_EQ(std::count(gesehen.begin(), gesehen.end(), bild), 0) << "looks like another index";
        gesehen.push_back(bild);
    }
}

TEST(Bilder, OtherIndicesGetOneNeutralImage)
{
    const QImage neutral = Bilder::Zeichnung(-1).toImage();
    for (int index : {0, 23, 28, 69, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(Bilder::Zeichnung(index).toImage(), neutral);
        EXPECT_FALSE(TDM::Icon(index).isNull());
    }
    for (int index : Bilder::Indizes())
        EXPECT_NE(Bilder::Zeichnung(index).toImage(), neutral) << index;
}

} // namespace
