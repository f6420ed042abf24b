#pragma once

// The plug-in core's view of its editor. The core sits below the GUI layer, so it
// reaches the editor only through this interface, which the graphics core implements.
// The core owns the editor once it is attached and deletes it through this interface.
class IPlugEditor {
public:
    virtual ~IPlugEditor() = default;

    // Hands a parameter's value to every control bound to that parameter. A plain
    // value (normalised == false) is first mapped to the unit interval.
    virtual void pushParamToControls(int paramIndex, double value, bool normalised) = 0;

    // Creates the editor's drawing surface; called once, when the core takes the editor.
    virtual void allocateSurface() = 0;
};
