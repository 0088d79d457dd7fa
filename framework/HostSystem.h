#pragma once
// Whether the program runs on Wine rather than on Windows: for the few
// places where Wine's window system needs help that Windows does not.

bool AfxRunningOnWine();
