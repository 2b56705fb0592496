#include "TestDeeds.h"

namespace TestDeeds {

std::unique_ptr<CBodItem> MakeDeed(const DeedFields& fields) {
    auto pBod = std::make_unique<CBodItem>();
    pBod->m_strTrade = fields.strTrade;
    pBod->m_strCategory = fields.strCategory;
    pBod->m_strMaterial = fields.strMaterial;
    pBod->m_strAmount = fields.strAmount;
    pBod->m_strQuality = fields.strQuality;
    pBod->m_strItem = fields.strItem;
    pBod->m_strCount = fields.strCount;
    return pBod;
}

std::unique_ptr<CBodItem> MakeLargeDeed(const DeedFields& fields,
                                        const std::vector<std::string>& partNames) {
    auto pBod = MakeDeed(fields);
    for (const std::string& strName : partNames) {
        pBod->m_arrParts.emplace_back(strName, false);
    }
    pBod->m_bPartsBuilt = true;
    return pBod;
}

CBodArray MakeDeeds(const std::vector<DeedFields>& deeds) {
    CBodArray bods;
    for (const DeedFields& fields : deeds) {
        bods.push_back(MakeDeed(fields));
    }
    return bods;
}

std::string CaseVariant(std::string word, unsigned upperBits) {
    for (std::size_t i = 0; i < word.size() && i < 32; ++i) {
        if ((upperBits >> i) & 1U) {
            word[i] = static_cast<char>(word[i] - 'a' + 'A');
        }
    }
    return word;
}

std::vector<DeedFields> MixedDeeds() {
    return {
        {"Tailor", "Cloth", "cloth", "15", "Exceptional", "bandana", "0/15"},
        {"Smithy", "Platemail", "iron", "20", "Normal", "platemail gloves", "0/20"},
        {"Smithy", "Platemail", "iron", "10", "Normal", "platemail gorget", "5/10"},
        {"Smithy", "Platemail", "iron", "10", "Normal", "LBOD/platemail", "0/60"},
        {"Smithy", "Chainmail", "dull copper", "15", "Exceptional", "chainmail coif", "0/15"},
        {"Smithy", "Weapon", "Valorite", "10", "Normal", "katana", "1/10"},
        {"Smithy", "", "iron", "10", "Normal", "dagger", "0/10"},
        {"Tailor", "Leather", "spined leather", "20", "Normal", "lbod/leather cap", "0/20"},
        {"Tailor", "Platemail", "barbed leather", "10", "Exceptional", "studded gorget", "0/10"},
        {"Smithy", "Ringmail", "agapite", "15", "Exceptional", "ringmail tunic", "0/15"},
        {"Tailor", "Leather", "horned leather", "20", "Exceptional", "leather gloves", "2/20"},
        {"Smithy", "Platemail", "iron", "10", "Exceptional", "platemail arms", "0/10"},
        {"Smithy", "Platemail", "iron", "15", "Normal", "platemail legs", "0/15"}};
}

std::string MixedOutline() {
    return "BOD's - Full List\t0\n"
           "  Smithy\t1\n"
           "    \t21\n"
           "      iron\t3\n"
           "        10\t22\n"
           "          Normal\t23\n"
           "            SBOD's\t22\n"
           "              dagger - 0/10\t16\n"
           "    Chainmail\t19\n"
           "      dull copper\t4\n"
           "        15\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              chainmail coif - 0/15\t16\n"
           "    Platemail\t20\n"
           "      iron\t3\n"
           "        10\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              platemail arms - 0/10\t16\n"
           "          Normal\t23\n"
           "            LBOD's\t22\n"
           "              LBOD/platemail - 0/60\t16\n"
           "            SBOD's\t22\n"
           "              platemail gorget - 5/10\t16\n"
           "        15\t22\n"
           "          Normal\t23\n"
           "            SBOD's\t22\n"
           "              platemail legs - 0/15\t16\n"
           "        20\t22\n"
           "          Normal\t23\n"
           "            SBOD's\t22\n"
           "              platemail gloves - 0/20\t16\n"
           "    Ringmail\t18\n"
           "      agapite\t9\n"
           "        15\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              ringmail tunic - 0/15\t16\n"
           "    Weapon\t21\n"
           "      Valorite\t12\n"
           "        10\t22\n"
           "          Normal\t23\n"
           "            SBOD's\t22\n"
           "              katana - 1/10\t16\n"
           "  Tailor\t2\n"
           "    Cloth\t12\n"
           "      cloth\t12\n"
           "        15\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              bandana - 0/15\t17\n"
           "    Leather\t13\n"
           "      horned leather\t15\n"
           "        20\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              leather gloves - 2/20\t17\n"
           "      spined leather\t14\n"
           "        20\t22\n"
           "          Normal\t23\n"
           "            SBOD's\t22\n"
           "              lbod/leather cap - 0/20\t17\n"
           "    Platemail\t13\n"
           "      barbed leather\t15\n"
           "        10\t22\n"
           "          Exceptional\t24\n"
           "            SBOD's\t22\n"
           "              studded gorget - 0/10\t17\n";
}

} // namespace TestDeeds
