#pragma once

// Something that handles commands of the command table by their numeric id: a view, the document's
// command handler or the frame. The frame asks the active view first, then its own handlers.
class IKivCommandTarget
{
public:
    struct State {
        bool enabled = true;
        bool checkable = false;
        bool checked = false;
    };

    virtual ~IKivCommandTarget() = default;

    // True when this target handles id; then state says whether it is enabled and checked now.
    virtual bool queryCommand(int id, State &state) const = 0;
    // Carries the command out; only called after queryCommand returned true and enabled.
    virtual void onCommand(int id) = 0;
};
