#include "XSession.h"
#include "document/QuillmarDoc.h"
#include "frames/ChildFrame.h"
#include "frames/QuillmarAppFixture.h"
#include "model/BodFile.h"
#include "support/BodToolRunner.h"
#include "support/TestDeeds.h"
#include "views/BodTreeModel.h"
#include "views/DragImage.h"
#include "views/LeftView.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace TestDeeds;

// A small deed and the large deed that needs it, in a real window, dragged with the real
// pointer through the X server.
class DesktopDragTest : public QuillmarAppFixture {
protected:
    void SetUp() override {
        QuillmarAppFixture::SetUp();
        CBodArray bods;
        bods.push_back(
            MakeLargeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "LBOD/platemail", "0/40"},
                          {"platemail gloves", "platemail arms"}));
        bods.push_back(
            MakeDeed({"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "20/20"}));
        const QString strPath = m_dir.filePath("deeds.bod");
        WriteFileBytes(strPath, QByteArray::fromStdString(BodFile::Write(bods, 0, 0)));
        ASSERT_TRUE(Start({strPath}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame(), 120000));
        m_pTree = Frame().GetActiveChildFrame()->GetLeftView();
        m_pDoc = Frame().GetActiveChildFrame()->GetDocument();
        m_pTree->expandAll();
        QApplication::processEvents();
    }

    QModelIndex NodeOf(const CBodItem* pBod) const {
        const auto& model = static_cast<const CBodTreeModel&>(*m_pTree->model());
        return model.IndexFromNode(model.Hierarchy().FindItemForBod(pBod));
    }
    // The screen point of a node's icon.
    QPoint IconOnScreen(const QModelIndex& node) const {
        const QRect rc = m_pTree->visualRect(node);
        return m_pTree->viewport()->mapToGlobal(QPoint(rc.left() + 8, rc.center().y()));
    }
    static void Pointer(const QStringList& actions) {
        RunXTool("xdotool", actions);
        QApplication::processEvents();
    }
    static QStringList MoveTo(const QPoint& pt) {
        return {"mousemove", "--sync", QString::number(pt.x()), QString::number(pt.y())};
    }
    static CDragImage* ShownDragImage() {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            if (auto* pImage = qobject_cast<CDragImage*>(pWidget); pImage && pImage->isVisible()) {
                return pImage;
            }
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
    CLeftView* m_pTree = nullptr;
    CQuillmarDoc* m_pDoc = nullptr;
};

TEST_F(DesktopDragTest, ReleasedBesideTheTreeDropsNothing) {
    CBodItem* pLarge = m_pDoc->m_arrBods[0].get();
    const QModelIndex large = NodeOf(pLarge);
    const QPoint ptSmall = IconOnScreen(NodeOf(m_pDoc->m_arrBods[1].get()));
    const QPoint ptLarge = IconOnScreen(large);
    // Level with the large deed's row, over the form.
    const QPoint ptBeside(
        m_pTree->viewport()->mapToGlobal(QPoint(m_pTree->viewport()->width(), 0)).x() + 60,
        ptLarge.y());

    Pointer(MoveTo(ptSmall) + QStringList{"mousedown", "1"});
    Pointer(MoveTo(ptSmall + QPoint(8, 8)));
    Pointer(MoveTo(ptLarge));
    ASSERT_TRUE(WaitFor([&] { return m_pTree->DropHighlight() == large; }));

    // Without a compositor a see-through picture turns black: the label must still show, dark
    // on light.
    CDragImage* pImage = ShownDragImage();
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
    WaitFor(legible, std::chrono::seconds(20));
    EXPECT_TRUE(legible());

    Pointer(MoveTo(ptBeside));
    WaitFor([&] { return !m_pTree->DropHighlight().isValid(); }, std::chrono::seconds(20));
    EXPECT_FALSE(m_pTree->DropHighlight().isValid());
    EXPECT_EQ(Qt::ForbiddenCursor, QGuiApplication::overrideCursor()->shape());
    Pointer({"mouseup", "1"});
    ASSERT_TRUE(WaitFor([&] { return !m_pTree->IsDragging(); }));
    EXPECT_EQ(2u, m_pDoc->m_arrBods.size());
    EXPECT_EQ("0/40", pLarge->m_strCount);
    EXPECT_FALSE(m_pDoc->IsModified());
}

} // namespace
