#include "cli/CommandArgs.h"

#include "import/BodLineParser.h"

#include <algorithm>

namespace {

bool Contains(std::initializer_list<std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

CCommandArgs::CCommandArgs(const std::vector<std::string>& args,
                           std::initializer_list<std::string_view> valueOptions,
                           std::initializer_list<std::string_view> switchOptions) {
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            m_positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (Contains(valueOptions, name)) {
            if (equals != std::string::npos) {
                m_values.emplace_back(name, arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                m_values.emplace_back(name, args[++i]);
            } else {
                throw CUsageError("option " + name + " needs a value");
            }
        } else if (Contains(switchOptions, name) && equals == std::string::npos) {
            m_switches.push_back(name);
        } else {
            throw CUsageError("unknown option " + arg);
        }
    }
}

std::optional<std::string> CCommandArgs::Value(std::string_view option) const {
    // The last one given wins, as users expect when they append an option to a script's line.
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it) {
        if (it->first == option) {
            return it->second;
        }
    }
    return std::nullopt;
}

bool CCommandArgs::Switch(std::string_view option) const {
    return std::find(m_switches.begin(), m_switches.end(), option) != m_switches.end();
}

const std::vector<std::string>& CCommandArgs::Positionals(std::size_t nMin,
                                                          std::size_t nMax) const {
    if (m_positionals.size() < nMin) {
        throw CUsageError("missing argument");
    }
    if (m_positionals.size() > nMax) {
        throw CUsageError("unexpected argument " + m_positionals[nMax]);
    }
    if (std::find(m_positionals.begin(), m_positionals.end(), std::string()) !=
        m_positionals.end()) {
        throw CUsageError("an empty file name (- names standard input)");
    }
    return m_positionals;
}

int CCommandArgs::PasteMode() const {
    const std::string mode = Value("--mode").value_or("aos");
    if (mode == "aos") {
        return CBodLineParser::kPasteAos;
    }
    if (mode == "pre-aos") {
        return CBodLineParser::kPastePreAos;
    }
    if (mode == "tooltip") {
        return CBodLineParser::kPasteTooltip;
    }
    throw CUsageError("unknown mode " + mode + " (aos, pre-aos or tooltip)");
}
