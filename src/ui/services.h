#pragma once

class Dialogs;
class RandomSource;
class Navigator;
class Printer;
class Clipboard;
struct Modul1;

// What every window gets handed: the seams to the toolkit and the program-wide values.
struct Services
{
    Dialogs &dialogs;
    RandomSource &random;
    Navigator &navigator;
    Modul1 &modul1;
    Printer &printer;
    Clipboard &clipboard;
};
