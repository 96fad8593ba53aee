#include "ui/CCmdTarget.h"

#include "ui/CCmdUI.h"

bool CCmdTarget::routeCommand(int id) {
    for (CCmdTarget* target : chain()) {
        if (const CommandEntry* entry = target->findCommand(id)) {
            // A copy: the handler may replace the table it lives in.
            const RangeHandler handler = entry->handler;
            handler(id);
            return true;
        }
    }
    return false;
}

bool CCmdTarget::routeUpdate(CCmdUI& update) {
    for (CCmdTarget* target : chain()) {
        if (const UpdateEntry* entry = target->findUpdate(update.id())) {
            entry->handler(update);
            return true;
        }
    }
    return false;
}

bool CCmdTarget::canRoute(int id) {
    for (CCmdTarget* target : chain()) {
        if (target->findCommand(id) != nullptr) {
            return true;
        }
    }
    return false;
}

void CCmdTarget::handleCommand(int id, CommandHandler handler) {
    m_commands.push_back({id, id, [handler = std::move(handler)](int) { handler(); }});
}

void CCmdTarget::handleCommandRange(int firstId, int lastId, RangeHandler handler) {
    m_commands.push_back({firstId, lastId, std::move(handler)});
}

void CCmdTarget::handleUpdate(int id, UpdateHandler handler) {
    m_updates.push_back({id, id, std::move(handler)});
}

void CCmdTarget::handleUpdateRange(int firstId, int lastId, UpdateHandler handler) {
    m_updates.push_back({firstId, lastId, std::move(handler)});
}

void CCmdTarget::commandChain(std::vector<CCmdTarget*>& chain) {
    chain.push_back(this);
}

const CCmdTarget::CommandEntry* CCmdTarget::findCommand(int id) const {
    for (const CommandEntry& entry : m_commands) {
        if (id >= entry.firstId && id <= entry.lastId) {
            return &entry;
        }
    }
    return nullptr;
}

const CCmdTarget::UpdateEntry* CCmdTarget::findUpdate(int id) const {
    for (const UpdateEntry& entry : m_updates) {
        if (id >= entry.firstId && id <= entry.lastId) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<CCmdTarget*> CCmdTarget::chain() {
    std::vector<CCmdTarget*> targets;
    commandChain(targets);
    return targets;
}
