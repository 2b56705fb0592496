#include "XSession.h"
#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "support/TestDeeds.h"
#include "views/BodTreeModel.h"
#include "views/DragImage.h"
#include "views/LeftView.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

namespace {

using namespace TestDeeds;

class DesktopDragTest : public QuillmarAppFixture {};

// A small deed dragged with the real pointer through the X server over the large deed that
// needs it, then beside the tree in a real window, and let go there.
TEST_F(DesktopDragTest, ReleasedBesideTheTreeDropsNothing) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame(), 120000));
    CBodArray bods;
    bods.push_back(
        MakeLargeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/40"},
                      {"platemail gloves", "platemail arms"}));
    bods.push_back(
        MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "20/20"}));
    Frame().GetActiveDocument()->ImportDeeds(std::move(bods));
    CLeftView& tree = *Frame().GetActiveChildFrame()->GetLeftView();
    CQuillmarDoc& doc = *Frame().GetActiveDocument();
    tree.expandAll();
    QApplication::processEvents();
    const auto& model = static_cast<const CBodTreeModel&>(*tree.model());
    const QModelIndex large =
        model.IndexFromNode(model.Hierarchy().FindItemForBod(doc.m_arrBods[0].get()));
    const auto iconOnScreen = [&tree](const QModelIndex& node) {
        const QRect rc = tree.visualRect(node);
        return tree.viewport()->mapToGlobal(QPoint(rc.left() + 8, rc.center().y()));
    };
    const QPoint ptSmall =
        iconOnScreen(model.IndexFromNode(model.Hierarchy().FindItemForBod(doc.m_arrBods[1].get())));
    const QPoint ptLarge = iconOnScreen(large);
    // Level with the large deed's row, over the form.
    const QPoint ptBeside(
        tree.viewport()->mapToGlobal(QPoint(tree.viewport()->width(), 0)).x() + 60, ptLarge.y());
    const auto pointer = [](const QPoint& pt, const QStringList& then = {}) {
        RunXTool("xdotool", QStringList{"mousemove", "--sync", QString::number(pt.x()),
                                        QString::number(pt.y())} +
                                then);
        QApplication::processEvents();
    };

    pointer(ptSmall, {"mousedown", "1"});
    pointer(ptSmall + QPoint(8, 8));
    pointer(ptLarge);
    ASSERT_TRUE(WaitFor([&] { return tree.DropHighlight() == large; }));

    // Without a compositor a see-through picture turns black: the label must still show, dark
    // on light.
    CDragImage* pImage = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (auto* pShown = qobject_cast<CDragImage*>(pWidget); pShown && pShown->isVisible()) {
            pImage = pShown;
        }
    }
    ASSERT_NE(nullptr, pImage);
    const auto legible = [pImage] {
        const QImage shot =
            QGuiApplication::primaryScreen()
                ->grabWindow(0, pImage->x(), pImage->y(), pImage->width(), pImage->height())
                .toImage();
        int nLight = 0;
        int nDark = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const int nLightness = QColor(shot.pixel(x, y)).lightness();
                nLight += nLightness > 160 ? 1 : 0;
                nDark += nLightness < 96 ? 1 : 0;
            }
        }
        return nLight > shot.width() * shot.height() / 2 && nDark > 0;
    };
    // The picture is painted when the program gets to it; the guard only stops a hang.
    EXPECT_TRUE(WaitFor(legible, std::chrono::seconds(20)));

    pointer(ptBeside);
    EXPECT_TRUE(WaitFor([&] { return !tree.DropHighlight().isValid(); }, std::chrono::seconds(20)));
    EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());
    RunXTool("xdotool", {"mouseup", "1"});
    ASSERT_TRUE(WaitFor([&] { return !tree.IsDragging(); }));
    EXPECT_EQ("2 0/40", std::to_string(doc.m_arrBods.size()) + ' ' + doc.m_arrBods[0]->m_strCount);
}

} // namespace
