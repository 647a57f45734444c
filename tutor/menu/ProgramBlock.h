#pragma once
// The program block of tapwise up to its message loop: the language letters, the title and every
// form, created once in this order (main menu first, assistant form last).
void StartTapwise();
