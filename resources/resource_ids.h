/* Identifiers of the program's resources and menu commands. Read by the
   resource compiler as well as by C++, so it holds only #defines. */
#ifndef SNAPVANE_RESOURCE_IDS_H
#define SNAPVANE_RESOURCE_IDS_H

#define IDI_APP_ICON 107
#define IDR_MAIN_MENU 110
/* Ctrl+L and Ctrl+R: the two turns; Ctrl+Z and Ctrl+Y: undo and redo. */
#define IDR_MAIN_ACCELERATORS 111

/* Menu and toolbar commands; the command handler gets the identifier
   minus IDM_FIRST. */
#define IDM_FIRST 170
#define IDM_APP_SETTINGS 170
#define IDM_SUPPORT_SITE 180
#define IDM_VERSION_INFO 181
#define IDM_OPEN_FILES 182
#define IDM_OPEN_FOLDER 183
#define IDM_ROTATE_LEFT 191
#define IDM_ROTATE_RIGHT 192
#define IDM_UNDO 193
#define IDM_REDO 194
#define IDM_LAST 194

/* The main window's two panes, found by their control identifiers. */
#define IDC_PREVIEW_PANE 4660
#define IDC_PHOTO_STRIP 4661

#endif
