#include "model/BodHierarchy.h"

#include "model/BodFilter.h"
#include "model/BodItem.h"
#include "model/ShoppingList.h"
#include "model/TextOrder.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace {

constexpr int kBranchLevels = 6;
constexpr int kRootImage = 0;
constexpr int kDotImage = 22;
constexpr int kFirstNewerCraftImage = 25;
constexpr int kWoodImage = 31;

const std::string kLargeGroup = "LBOD's";
const std::string kSmallGroup = "SBOD's";

// The label of a deed's branch node at each level below the root.
const std::string& BranchLabel(const CBodItem& bod, int nLevel) {
    switch (nLevel) {
    case 0:
        return bod.m_strTrade;
    case 1:
        return bod.m_strCategory;
    case 2:
        return bod.m_strMaterial;
    case 3:
        return bod.m_strAmount;
    case 4:
        return bod.m_strQuality;
    default:
        return bod.IsLarge() ? kLargeGroup : kSmallGroup;
    }
}

int BranchImage(const CBodItem& bod, int nLevel) {
    switch (nLevel) {
    case 0:
        return CBodHierarchy::TradeImage(bod.m_strTrade);
    case 1:
        return CBodHierarchy::CategoryImage(bod.m_strTrade, bod.m_strCategory);
    case 2:
        return CBodHierarchy::MaterialImage(bod.m_strTrade, bod.m_strMaterial);
    case 4:
        return CBodHierarchy::QualityImage(bod.m_strQuality);
    default:
        return kDotImage;
    }
}

} // namespace

CBodHierarchy::CBodHierarchy(const CTextOrder& order) : m_order(order) {
    m_root.m_strLabel = RootLabel(false);
    m_root.m_nImage = kRootImage;
}

const char* CBodHierarchy::RootLabel(bool bShoppingList) {
    return bShoppingList ? "BOD's - Shopping List" : "BOD's - Full List";
}

std::string CBodHierarchy::BodLabel(const CBodItem& bod) {
    std::string strLabel;
    strLabel.reserve(bod.m_strItem.size() + 3 + bod.m_strCount.size());
    strLabel.append(bod.m_strItem).append(" - ").append(bod.m_strCount);
    return strLabel;
}

int CBodHierarchy::TradeImage(std::string_view strTrade) {
    static constexpr std::array<std::string_view, 6> kNewerCrafts{
        "Alchemy", "Bowcraft", "Carpentry", "Cooking", "Inscription", "Tinkering"};
    const auto* pFound = std::find(kNewerCrafts.begin(), kNewerCrafts.end(), strTrade);
    if (pFound != kNewerCrafts.end()) {
        return kFirstNewerCraftImage + static_cast<int>(pFound - kNewerCrafts.begin());
    }
    return strTrade == "Smithy" ? 1 : 2;
}

int CBodHierarchy::CategoryImage(std::string_view strTrade, std::string_view strCategory) {
    // The newer crafts' categories are their own kinds of goods; the craft's image says enough.
    if (const int nCraft = TradeImage(strTrade); nCraft >= kFirstNewerCraftImage) {
        return nCraft;
    }
    if (strTrade == "Smithy") {
        if (strCategory == "Ringmail") {
            return 18;
        }
        if (strCategory == "Chainmail") {
            return 19;
        }
        if (strCategory == "Platemail") {
            return 20;
        }
        return 21;
    }
    return strCategory == "Cloth" ? 12 : 13;
}

int CBodHierarchy::MaterialImage(std::string_view strTrade, std::string_view strMaterial) {
    // Crafts that never ask for a material still have the level, under the craft's own image.
    if (strMaterial == "no material") {
        return TradeImage(strTrade);
    }
    static constexpr std::array<std::pair<std::string_view, int>, 20> kImages{{
        {"iron", 3},
        {"dull copper", 4},
        {"shadow iron", 5},
        {"copper", 6},
        {"bronze", 7},
        {"gold", 8},
        {"agapite", 9},
        {"verite", 10},
        {"valorite", 11},
        {"normal leather", 13},
        {"spined leather", 14},
        {"horned leather", 15},
        {"barbed leather", 15},
        {"wood", kWoodImage},
        {"oak", kWoodImage},
        {"ash", kWoodImage},
        {"yew", kWoodImage},
        {"heartwood", kWoodImage},
        {"bloodwood", kWoodImage},
        {"frostwood", kWoodImage},
    }};
    for (const auto& [strName, nImage] : kImages) {
        if (strName == strMaterial) {
            return nImage;
        }
    }
    return 12;
}

int CBodHierarchy::QualityImage(std::string_view strQuality) {
    return strQuality == "Normal" ? 23 : 24;
}

int CBodHierarchy::BodImage(std::string_view strTrade) {
    return strTrade == "Smithy" ? 16 : 17;
}

void CBodHierarchy::ClearRoot(CBodNode* pKeep) {
    if (pKeep != nullptr) {
        pKeep->m_children = std::move(m_root.m_children);
        pKeep->m_branchIndex = std::move(m_root.m_branchIndex);
        pKeep->m_nBodCount = m_root.m_nBodCount;
        pKeep->m_points = m_root.m_points;
        pKeep->m_strLabel = m_root.m_strLabel;
    }
    m_root.m_children.clear();
    m_root.m_branchIndex.clear();
    m_root.m_nBodCount = 0;
    m_root.m_points = {};
}

void CBodHierarchy::RebuildKeepingUnfiltered(CBodListView bods, bool bShoppingList,
                                             const CBodFilter& filter) {
    std::unique_ptr<CBodNode> pKept = std::move(m_pUnfiltered);
    if (!pKept && !m_bFiltered) {
        pKept = std::make_unique<CBodNode>();
        Build(bods, bShoppingList, &filter, pKept.get());
    } else {
        Build(bods, bShoppingList, &filter, nullptr);
    }
    m_pUnfiltered = std::move(pKept);
}

bool CBodHierarchy::RestoreUnfiltered() {
    if (!m_pUnfiltered) {
        return false;
    }
    if (m_pListener) {
        m_pListener->BeginReset();
    }
    const std::unique_ptr<CBodNode> pKept = std::move(m_pUnfiltered);
    ClearRoot(nullptr);
    m_root.m_children = std::move(pKept->m_children);
    m_root.m_branchIndex = std::move(pKept->m_branchIndex);
    m_root.m_nBodCount = pKept->m_nBodCount;
    m_root.m_points = pKept->m_points;
    m_root.m_strLabel = pKept->m_strLabel;
    m_bFiltered = false;
    if (m_pListener) {
        m_pListener->EndReset();
    }
    return true;
}

void CBodHierarchy::Rebuild(CBodListView bods, bool bShoppingList, const CBodFilter* pFilter) {
    Build(bods, bShoppingList, pFilter, nullptr);
}

void CBodHierarchy::Build(CBodListView bods, bool bShoppingList, const CBodFilter* pFilter,
                          CBodNode* pKeep) {
    if (m_pListener) {
        m_pListener->BeginReset();
    }
    m_pUnfiltered.reset();
    ClearRoot(pKeep);
    m_bFiltered = pFilter != nullptr;
    m_bShoppingList = bShoppingList;
    m_root.m_strLabel = RootLabel(bShoppingList);
    for (const CBodItem* pBod : bods) {
        if (!pFilter || (pBod && pFilter->Matches(*pBod))) {
            Place(pBod, false);
        }
    }
    SortAll();
    if (m_pListener) {
        m_pListener->EndReset();
    }
}

void CBodHierarchy::Prune(const std::function<bool(const CBodItem&)>& keep) {
    if (m_pListener) {
        m_pListener->BeginReset();
    }
    PruneChildren(m_root, keep);
    m_bFiltered = true;
    if (m_pListener) {
        m_pListener->EndReset();
    }
}

void CBodHierarchy::PruneChildren(CBodNode& node,
                                  const std::function<bool(const CBodItem&)>& keep) {
    node.m_nBodCount = 0;
    node.m_points = {};
    std::erase_if(node.m_children, [&](const std::unique_ptr<CBodNode>& pChild) {
        if (pChild->m_pBod) {
            if (!keep(*pChild->m_pBod)) {
                return true;
            }
        } else {
            PruneChildren(*pChild, keep);
            if (pChild->m_nBodCount == 0) {
                node.m_branchIndex.erase(pChild->m_strLabel);
                return true;
            }
        }
        node.m_nBodCount += pChild->m_nBodCount;
        node.m_points += pChild->m_points;
        return false;
    });
    Renumber(node, 0);
}

CBodNode* CBodHierarchy::AddBod(const CBodItem* pBod) {
    m_pUnfiltered.reset();
    return Place(pBod, true);
}

CBodNode* CBodHierarchy::Place(const CBodItem* pBod, bool bInOrder) {
    if (!pBod) {
        return nullptr;
    }
    CBodNode* pParent = &m_root;
    int nLevel = 0;
    for (; nLevel < kBranchLevels; ++nLevel) {
        const auto it = pParent->m_branchIndex.find(BranchLabel(*pBod, nLevel));
        if (it == pParent->m_branchIndex.end()) {
            break;
        }
        pParent = it->second;
    }

    // The deeds a shopping list still needs are not the player's, and are worth nothing yet.
    const CBodPoints points =
        !m_bShoppingList || ShoppingList::IsHeld(*pBod) ? BodPoints::Of(*pBod) : CBodPoints();
    // The new part of the path is built detached, then attached in one step, so a listener
    // sees one inserted row however many levels were missing.
    auto makeNode = [pBod, &points](int nAt) {
        auto pNode = std::make_unique<CBodNode>();
        if (nAt < kBranchLevels) {
            pNode->m_strLabel = BranchLabel(*pBod, nAt);
            pNode->m_nImage = BranchImage(*pBod, nAt);
        } else {
            pNode->m_strLabel = BodLabel(*pBod);
            pNode->m_nImage = BodImage(pBod->m_strTrade);
            pNode->m_pBod = pBod;
        }
        pNode->m_nBodCount = 1;
        pNode->m_points = points;
        return pNode;
    };
    std::unique_ptr<CBodNode> pTop = makeNode(nLevel);
    CBodNode* pDeed = pTop.get();
    for (int nAt = nLevel + 1; nAt <= kBranchLevels; ++nAt) {
        pDeed = AttachChild(*pDeed, makeNode(nAt), 0);
    }

    const int nRow = bInOrder ? InsertionRow(*pParent, pTop->m_strLabel) : pParent->GetChildCount();
    if (bInOrder && m_pListener) {
        m_pListener->BeginInsert(*pParent, nRow);
    }
    AttachChild(*pParent, std::move(pTop), nRow);
    for (CBodNode* pAncestor = pParent; pAncestor; pAncestor = pAncestor->m_pParent) {
        ++pAncestor->m_nBodCount;
        pAncestor->m_points += points;
    }
    if (bInOrder && m_pListener) {
        m_pListener->EndInsert();
    }
    return pDeed;
}

CBodNode* CBodHierarchy::AttachChild(CBodNode& parent, std::unique_ptr<CBodNode> pChild, int nRow) {
    CBodNode* pRaw = pChild.get();
    pRaw->m_pParent = &parent;
    if (!pRaw->m_pBod) {
        parent.m_branchIndex.try_emplace(pRaw->m_strLabel, pRaw);
    }
    parent.m_children.insert(parent.m_children.begin() + nRow, std::move(pChild));
    Renumber(parent, nRow);
    return pRaw;
}

void CBodHierarchy::Renumber(CBodNode& parent, int nFrom) {
    for (int nRow = nFrom; nRow < parent.GetChildCount(); ++nRow) {
        parent.m_children[static_cast<std::size_t>(nRow)]->m_nRow = nRow;
    }
}

int CBodHierarchy::InsertionRow(const CBodNode& parent, const std::string& strLabel) const {
    std::vector<std::string_view> labels;
    labels.reserve(parent.m_children.size() + 1);
    for (const std::unique_ptr<CBodNode>& pChild : parent.m_children) {
        labels.push_back(pChild->m_strLabel);
    }
    labels.push_back(strLabel);
    const std::vector<std::uint32_t> ranks = m_order.Rank(labels);
    const std::uint32_t nNewRank = ranks.back();
    // After the last sibling that sorts before or with it: equal labels keep insertion order.
    int nRow = 0;
    for (std::size_t i = 0; i + 1 < ranks.size(); ++i) {
        if (ranks[i] <= nNewRank) {
            nRow = static_cast<int>(i) + 1;
        }
    }
    return nRow;
}

void CBodHierarchy::SortAll() {
    std::vector<CBodNode*> nodes;
    nodes.reserve(static_cast<std::size_t>(m_root.m_nBodCount) * 2 + 1);
    nodes.push_back(&m_root);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (const std::unique_ptr<CBodNode>& pChild : nodes[i]->m_children) {
            nodes.push_back(pChild.get());
        }
    }

    // One ranking of the distinct labels: a big document repeats few labels many times.
    std::unordered_map<std::string_view, std::uint32_t> distinctIndex;
    std::vector<std::string_view> distinct;
    for (CBodNode* pNode : nodes) {
        const auto [it, bInserted] = distinctIndex.try_emplace(
            pNode->m_strLabel, static_cast<std::uint32_t>(distinct.size()));
        if (bInserted) {
            distinct.push_back(pNode->m_strLabel);
        }
        pNode->m_nRank = it->second;
    }
    const std::vector<std::uint32_t> ranks = m_order.Rank(distinct);
    for (CBodNode* pNode : nodes) {
        pNode->m_nRank = ranks[pNode->m_nRank];
    }

    for (CBodNode* pNode : nodes) {
        if (pNode->m_children.size() < 2) {
            continue;
        }
        std::stable_sort(
            pNode->m_children.begin(), pNode->m_children.end(),
            [](const std::unique_ptr<CBodNode>& a, const std::unique_ptr<CBodNode>& b) {
                return a->m_nRank < b->m_nRank;
            });
        Renumber(*pNode, 0);
    }
}

CBodNode* CBodHierarchy::FindChildItem(const CBodNode& parent, const std::string& strLabel) const {
    const auto it = parent.m_branchIndex.find(strLabel);
    if (it != parent.m_branchIndex.end()) {
        return it->second;
    }
    // Deed nodes are not indexed; their runs are searched in order.
    for (const std::unique_ptr<CBodNode>& pChild : parent.m_children) {
        if (pChild->m_pBod && pChild->m_strLabel == strLabel) {
            return pChild.get();
        }
    }
    return nullptr;
}

CBodNode* CBodHierarchy::FindItemForBod(const CBodItem* pBod) const {
    if (!pBod) {
        return nullptr;
    }
    std::vector<const CBodNode*> stack{&m_root};
    while (!stack.empty()) {
        const CBodNode* pNode = stack.back();
        stack.pop_back();
        if (pNode->m_pBod == pBod) {
            return const_cast<CBodNode*>(pNode);
        }
        for (auto it = pNode->m_children.rbegin(); it != pNode->m_children.rend(); ++it) {
            stack.push_back(it->get());
        }
    }
    return nullptr;
}

std::string CBodHierarchy::Outline() const {
    std::string strOutline;
    std::vector<std::pair<const CBodNode*, std::size_t>> stack{{&m_root, 0}};
    while (!stack.empty()) {
        const auto [pNode, nDepth] = stack.back();
        stack.pop_back();
        strOutline.append(2 * nDepth, ' ')
            .append(pNode->m_strLabel)
            .append("\t")
            .append(std::to_string(pNode->m_nImage))
            .append("\n");
        for (auto it = pNode->m_children.rbegin(); it != pNode->m_children.rend(); ++it) {
            stack.emplace_back(it->get(), nDepth + 1);
        }
    }
    return strOutline;
}

void CBodHierarchy::SetLabel(CBodNode& node, std::string strLabel) {
    m_pUnfiltered.reset();
    if (CBodNode* pParent = node.m_pParent; pParent && !node.m_pBod) {
        const auto it = pParent->m_branchIndex.find(node.m_strLabel);
        if (it != pParent->m_branchIndex.end() && it->second == &node) {
            pParent->m_branchIndex.erase(it);
        }
        pParent->m_branchIndex.try_emplace(strLabel, &node);
    }
    node.m_strLabel = std::move(strLabel);
    if (m_pListener) {
        m_pListener->LabelChanged(node);
    }
}

CBodNode* CBodHierarchy::DeleteItemAndEmptyParents(CBodNode* pNode, int* pRemovedRow) {
    m_pUnfiltered.reset();
    if (!pNode || pNode == &m_root) {
        return nullptr;
    }
    // The highest ancestor that would be left empty goes, and with it the whole chain below.
    CBodNode* pTop = pNode;
    while (pTop->m_pParent != &m_root && pTop->m_pParent->m_children.size() == 1) {
        pTop = pTop->m_pParent;
    }
    CBodNode* pParent = pTop->m_pParent;
    const int nRow = pTop->m_nRow;
    if (pRemovedRow) {
        *pRemovedRow = nRow;
    }
    if (m_pListener) {
        m_pListener->BeginRemove(*pParent, nRow);
    }
    const auto it = pParent->m_branchIndex.find(pTop->m_strLabel);
    if (it != pParent->m_branchIndex.end() && it->second == pTop) {
        pParent->m_branchIndex.erase(it);
    }
    // Kept alive until the listener is done, so nothing it still holds dangles meanwhile.
    std::unique_ptr<CBodNode> pRemoved =
        std::move(pParent->m_children[static_cast<std::size_t>(nRow)]);
    pParent->m_children.erase(pParent->m_children.begin() + nRow);
    Renumber(*pParent, nRow);
    for (CBodNode* pAncestor = pParent; pAncestor; pAncestor = pAncestor->m_pParent) {
        pAncestor->m_nBodCount -= pRemoved->m_nBodCount;
        pAncestor->m_points -= pRemoved->m_points;
    }
    if (m_pListener) {
        m_pListener->EndRemove();
    }
    return pParent;
}
