#pragma once

// Registers the program's icons and images (":/..." paths). The resources live in a static
// library, so every program that uses them calls this once before the first image is loaded.
void InitQuillmarResources();
