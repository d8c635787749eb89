#pragma once

class THorizNeon;
class TKR7;
class TVertNeon;

// Switching the ticker or the pages on: the device into text mode and the
// sequence from its start. The caller then shows the first window or page at
// once and starts its timer.
void SwitchOn(TKR7& device, THorizNeon& ticker);
void SwitchOn(TKR7& device, TVertNeon& pages);

// Switching off blanks the feature's rows on the device: the ticker's row,
// the pages' window. Neither looks at the connection: a closed port drops them.
void SwitchOff(TKR7& device, const THorizNeon& ticker);
void SwitchOff(TKR7& device, const TVertNeon& pages);
