#pragma once

#include <functional>
#include <vector>

class CCmdUI;

// Something that handles menu, toolbar and accelerator commands by id, and says through its
// update handlers whether they are enabled, checked and how they read. A command travels a
// chain of targets (for the frame: view, document, frame, application) and runs at the first
// one with a handler for it.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the command at the first target of the chain that handles it; false when none does.
    bool routeCommand(int id);
    // Runs the first update handler of the chain for the command; false when there is none.
    bool routeUpdate(CCmdUI& update);
    // Whether some target of the chain handles the command.
    bool canRoute(int id);

protected:
    using CommandHandler = std::function<void()>;
    using RangeHandler = std::function<void(int id)>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    // The command table of the class, filled by its constructor.
    void handleCommand(int id, CommandHandler handler);
    void handleCommandRange(int firstId, int lastId, RangeHandler handler);
    void handleUpdate(int id, UpdateHandler handler);
    void handleUpdateRange(int firstId, int lastId, UpdateHandler handler);

    // The targets a command visits, in order; by default this one alone.
    virtual void commandChain(std::vector<CCmdTarget*>& chain);

private:
    struct CommandEntry {
        int firstId;
        int lastId;
        RangeHandler handler;
    };
    struct UpdateEntry {
        int firstId;
        int lastId;
        UpdateHandler handler;
    };

    const CommandEntry* findCommand(int id) const;
    const UpdateEntry* findUpdate(int id) const;
    std::vector<CCmdTarget*> chain();

    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};
