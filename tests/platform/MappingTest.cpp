// Logical to device coordinates of the mapping modes used on screen and in printouts.

#include "platform/CDCMapping.h"
#include "platform/CRgn.h"
#include "platform/GdiTypes.h"

#include <gtest/gtest.h>

TEST(CDCMappingTest, PointsOfEachMode)
{
    struct Case {
        int mode;
        CPoint logical;
        CPoint device;
    };
    // A 600 dpi printer.
    const Case cases[] = {
        {MM_TEXT, CPoint(7, -3), CPoint(7, -3)},
        {MM_TWIPS, CPoint(1440, -2880), CPoint(600, 1200)},
        {MM_LOENGLISH, CPoint(100, -50), CPoint(600, 300)},
        {MM_HIMETRIC, CPoint(2540, -2540), CPoint(600, 600)},
        {MM_LOMETRIC, CPoint(254, 0), CPoint(600, 0)},
    };
    for (const Case& c : cases) {
        CDCMapping mapping;
        mapping.SetDeviceResolution(600, 600);
        mapping.SetMapMode(c.mode);
        EXPECT_EQ(mapping.LPtoDP(c.logical), c.device) << c.mode;
        EXPECT_EQ(mapping.DPtoLP(c.device), c.logical) << c.mode;
    }
}

TEST(CDCMappingTest, AnisotropicPrintUnitsOfTheLadderPrintout)
{
    // Window 600 x 400, viewport 4 x dpi by 2.6666667 x dpi: 1/150 inch per unit.
    CDCMapping mapping;
    mapping.SetDeviceResolution(600, 600);
    mapping.SetMapMode(MM_ANISOTROPIC);
    mapping.SetWindowExt(600, 400);
    mapping.SetViewportExt(4 * 600, static_cast<int>(2.6666667 * 600));
    EXPECT_EQ(mapping.LPtoDP(CPoint(150, 150)), CPoint(600, 600));
    // Moving the viewport origin shifts device positions only.
    mapping.SetViewportOrg(mapping.LPtoDP(CPoint(100, 0)).x, 0);
    EXPECT_EQ(mapping.LPtoDP(CPoint(0, 0)), CPoint(400, 0));
    EXPECT_EQ(mapping.LengthYToDP(21), 84);
}

TEST(CDCMappingTest, ExtentsCountOnlyInTheScalableModes)
{
    CDCMapping mapping;
    mapping.SetWindowExt(10, 10);
    mapping.SetViewportExt(20, 20);
    EXPECT_EQ(mapping.LPtoDP(CPoint(5, 5)), CPoint(5, 5));

    mapping.SetMapMode(MM_ISOTROPIC);
    mapping.SetWindowExt(10, 10);
    mapping.SetViewportExt(40, -20);
    // The smaller scale wins on both axes; signs stay.
    EXPECT_EQ(mapping.LPtoDP(CPoint(5, 5)), CPoint(10, -10));
    EXPECT_EQ(mapping.SetMapMode(42), 0);
    EXPECT_EQ(mapping.GetMapMode(), MM_ISOTROPIC);
}

TEST(CDCMappingTest, FlippedRectanglesComeOutNormalised)
{
    CDCMapping mapping;
    mapping.SetDeviceResolution(1440, 1440);
    mapping.SetMapMode(MM_TWIPS);
    EXPECT_EQ(mapping.LPtoDP(CRect(10, -10, 20, -30)), CRect(10, 10, 20, 30));
}

TEST(CRgnTest, SubtractingLeavesTheBandsAround)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 10, 10);
    region.SubtractRect(CRect(3, 3, 6, 6));
    EXPECT_EQ(region.GetRects().size(), 4u);
    EXPECT_TRUE(region.PtInRegion(2, 4));
    EXPECT_FALSE(region.PtInRegion(4, 4));
    EXPECT_TRUE(region.PtInRegion(6, 4));
    EXPECT_EQ(region.GetRgnBox(), CRect(0, 0, 10, 10));

    region.IntersectRect(CRect(20, 20, 30, 30));
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_EQ(region.GetRgnBox(), CRect());
}
