#include "tools/vtrctl/LiveWatch.h"

#include "quickview/LiveChannel.h"

#include <chrono>
#include <cstdio>
#include <ctime>

bool LiveWatch::parsePanel(const std::string& text, Panel& panel) {
    if (text.size() != 2 || (text[0] != 'a' && text[0] != 'd') || text[1] < '0' || text[1] > '9') {
        return false;
    }
    panel.kind = text[0] == 'a' ? PanelKind::analog : PanelKind::digital;
    panel.index = text[1] - '0';
    return panel.index < ChannelLists::panelCount(panel.kind);
}

std::string LiveWatch::localTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    return text;
}

int LiveWatch::listChannels(const std::vector<Panel>& panels) {
    ChannelLists lists;
    lists.build(m_doc);
    std::vector<Panel> chosen = panels;
    if (chosen.empty()) {
        for (const PanelKind kind : {PanelKind::analog, PanelKind::digital}) {
            for (int index = 0; index < ChannelLists::panelCount(kind); ++index) {
                chosen.push_back({kind, index});
            }
        }
    }
    m_watched.clear();
    for (const Panel& panel : chosen) {
        const PanelChannels& list = lists.panel(panel.kind, panel.index);
        for (uint32_t i = 0; i < list.count; ++i) {
            m_watched.push_back({panel, list.entries[i], {}, false});
        }
    }
    return static_cast<int>(m_watched.size());
}

void LiveWatch::run(int64_t passes, std::ostream& out, const Wait& wait, const TimeOfDay& now) {
    for (int64_t pass = 0; passes == 0 || pass < passes; ++pass) {
        if (pass > 0 && !wait(LiveChannel::passPauseMs)) {
            return;
        }
        for (size_t i = 0; i < m_watched.size(); ++i) {
            if (i > 0 && !wait(LiveChannel::channelDelayMs)) {
                return;
            }
            Watched& watched = m_watched[i];
            const std::string text = LiveChannel::read(m_doc, watched.panel.kind,
                                                       watched.panel.index, watched.entry, m_hex);
            if (watched.printed && text == watched.shown) {
                continue;
            }
            watched.shown = text;
            watched.printed = true;
            out << now() << (watched.panel.kind == PanelKind::analog ? " analog " : " digital ")
                << watched.panel.index << " ch " << watched.entry.channel
                << (watched.entry.isInput ? " input " : " output ") << text << std::endl;
            if (!out) {
                return; // no reader left to follow the values
            }
        }
    }
}
