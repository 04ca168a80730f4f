/* Control ids of the translation dialogs (language selection 134,
   clipboard result 123, conjugation result 132), shared by
   translate_dialogs.rc and the dialog classes. Plain #defines only (the
   resource compiler reads this file too). The dialog ids themselves are in
   translator/app/resource.h. */
#ifndef LEXON_TRANSLATE_TRANSLATE_RESOURCE_H
#define LEXON_TRANSLATE_TRANSLATE_RESOURCE_H

/* Language selection: two radio groups */
#define IDC_SOURCE_ENGLISH      1016
#define IDC_SOURCE_SPANISH      1019
#define IDC_TARGET_ENGLISH      1020
#define IDC_TARGET_SPANISH      1023

/* Conjugation result: three edit fields */
#define IDC_CONJUGATION_INFINITIVE  1024
#define IDC_CONJUGATION_TRANSLATED  1025
#define IDC_CONJUGATION_TENSE       1026

/* Clipboard result: the multi-line text */
#define IDC_CLIPBOARD_TEXT      1031

#endif
