// The Options, About and name-entry dialogs and the message box as the page shows them, with
// the controls, texts and rules of the Windows program's (dialogs/brimzo.rc and dialogs.cpp).
// Each runs its own loop over the page's events until it closes, as a modal dialog does.
#include <emscripten.h>
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dialogs/resources.h"
#include "dialogs/rules.h"
#include "render/draw.h"
#include "render/skin.h"
#include "render/sound.h"
#include "shell/platform.h"
#include "store/leaders.h"
#include "store/settings.h"
#include "web/web.h"

namespace {
constexpr int32_t SkinCapacity = 64;

char SkinNames[SkinCapacity][PathBufferSize];
int32_t SkinCount;
int32_t SkinIndex;
bool NameDialogOpen;

EM_JS(void, JsOpenDialog, (int32_t templateId), { Module.page.openDialog(templateId); });
EM_JS(void, JsCloseDialog, (int32_t templateId), { Module.page.closeDialog(templateId); });
EM_JS(void, JsSetItemText, (int32_t templateId, int32_t id, const char* text),
      { Module.page.setItemText(templateId, id, Module.page.textAt(HEAPU8, text)); });
EM_JS(int32_t, JsItemText, (int32_t templateId, int32_t id, char* buffer, int32_t size),
      { return Module.page.copyOut(HEAPU8, Module.page.itemBytes(templateId, id), buffer, size); });
// The Options dialog's controls
EM_JS(void, JsNoteLostSound, (int32_t templateId, int32_t checkBox, const char* file),
      { Module.page.noteLostSound(templateId, checkBox, Module.page.textAt(HEAPU8, file)); });
EM_JS(void, JsCheckItem, (int32_t templateId, int32_t id, bool checked),
      { Module.page.item(templateId, id).checked = checked; });
EM_JS(bool, JsItemChecked, (int32_t templateId, int32_t id),
      { return Module.page.item(templateId, id).checked; });
EM_JS(void, JsEnableItem, (int32_t templateId, int32_t id, bool enabled),
      { Module.page.item(templateId, id).disabled = !enabled; });
EM_JS(bool, JsFocusLost, (int32_t templateId), { return Module.page.focusLost(templateId); });
EM_ASYNC_JS(void, JsWaitForAllFiles, (), { await Module.page.allFiles(); });
EM_JS(int32_t, JsSkinName, (int32_t index, char* buffer, int32_t size), {
    const name = Module.page.skinNames()[index];
    return Module.page.copyOut(HEAPU8, name ? Module.page.ansiBytes(name) : null, buffer, size);
});
EM_JS(void, JsFocusItem, (int32_t templateId, int32_t id),
      { Module.page.item(templateId, id).focus(); });
EM_JS(void, JsSetMessage, (const char* text, const char* caption, bool question), {
    Module.page.setMessage(Module.page.textAt(HEAPU8, text), Module.page.textAt(HEAPU8, caption),
                           question);
});

// The dialog's own loop: its commands come back, and the game window behind it takes the rest
// of the page's events as it would behind a Windows dialog.
int32_t NextCommand(int32_t templateId) {
    for (;;) {
        WebEvent event;
        WaitEvent(&event);
        if (event.kind == EventKind::Command && event.b == templateId) {
            return event.a;
        }
        HandleBackgroundEvent(event);
    }
}

int CompareNames(const void* a, const void* b) {
    return strcasecmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

// The skins are those the page has, in the order of their names, as Windows lists a folder.
int32_t ListSkins() {
    int32_t count = 0;
    while (count < SkinCapacity && JsSkinName(count, SkinNames[count], PathBufferSize) >= 0) {
        count++;
    }
    std::qsort(SkinNames, static_cast<size_t>(count), sizeof SkinNames[0], CompareNames);
    return count;
}

void CountSkins() {
    SkinCount = ListSkins();
    SkinIndex = 0;
    for (int32_t i = 0; i < SkinCount; i++) {
        if (std::strcmp(SkinNames[i], Skin) == 0) {
            SkinIndex = i;
        }
    }
}

// A listing that has shrunk since the dialog opened leaves the setting as it was.
void StepSkin(int32_t delta) {
    SkinIndex += delta;
    int32_t count = ListSkins();
    if (SkinIndex >= 0 && SkinIndex < count) {
        std::snprintf(Skin, sizeof Skin, "%s", SkinNames[SkinIndex]);
    }
}

void EnableSkinButtons() {
    JsEnableItem(OptionsDialogTemplate, PreviousSkin, SkinIndex > 0);
    JsEnableItem(OptionsDialogTemplate, NextSkin, SkinIndex < SkinCount - 1);
}

// The page names the rows whose wave file must be chosen again.
void NoteLostSounds() {
    for (int32_t row = 0; row < 4; row++) {
        JsNoteLostSound(OptionsDialogTemplate, SoundCheckBox + row, SoundFile[OptionsRowSlot[row]]);
    }
}

void InitOptions() {
    char speed[16];
    std::snprintf(speed, sizeof speed, "%u", static_cast<unsigned>(AnimationSpeed));
    JsSetItemText(OptionsDialogTemplate, SpeedEdit, speed);
    for (int32_t row = 0; row < 4; row++) {
        JsCheckItem(OptionsDialogTemplate, SoundCheckBox + row,
                    SoundEnabled[OptionsRowSlot[row]] != 0);
    }
    NoteLostSounds();
    CountSkins();
    EnableSkinButtons();
    JsSetItemText(OptionsDialogTemplate, SkinText, SkinDescription ? SkinDescription : "");
}

// A skin button that disables itself would leave the dialog without a focus, and Enter and
// Escape would stop working: the focus goes to the other skin button, or to Ok.
void KeepFocus(int32_t delta) {
    if (!JsFocusLost(OptionsDialogTemplate)) {
        return;
    }
    bool otherEnabled = delta < 0 ? SkinIndex < SkinCount - 1 : SkinIndex > 0;
    JsFocusItem(OptionsDialogTemplate,
                otherEnabled ? (delta < 0 ? NextSkin : PreviousSkin) : OkCommand);
}

// The skin named by the new setting is drawn behind the dialog at once.
void ChangeSkin(int32_t delta) {
    StepSkin(delta);
    EnableSkinButtons();
    KeepFocus(delta);
    JsSetItemText(OptionsDialogTemplate, SkinText, SwitchSkin());
}

// The page asks for the file before it sends the command, and sends none when the choice is
// cancelled; the command's text is the chosen file's name.
void ChooseWaveFile(int32_t slot) {
    char file[SoundFileBufferSize];
    int32_t length = EventText(file, sizeof file);
    if (length > 0 && length < SoundFileBufferSize) {
        std::memcpy(SoundFile[slot], file, sizeof file);
    }
    NoteLostSounds();
}

// The speed field as Windows reads an unsigned number from a dialog field: a field that is
// empty, or holds more than 32 bits, reads as 0. The page lets only digits into it.
uint32_t FieldNumber(const char* field) {
    uint64_t value = 0;
    for (const char* digit = field; *digit >= '0' && *digit <= '9'; digit++) {
        value = value * 10 + static_cast<uint64_t>(*digit - '0');
        if (value > UINT32_MAX) {
            return 0;
        }
    }
    return static_cast<uint32_t>(value);
}

// Ok and Escape alike: the dialog has no way to close without applying.
void ApplyOptions() {
    char field[32];
    JsItemText(OptionsDialogTemplate, SpeedEdit, field, sizeof field);
    AnimationSpeed = SpeedFromField(FieldNumber(field));
    SetBounceTimer(BounceTimerPeriod());
    for (int32_t row = 0; row < 4; row++) {
        SoundEnabled[OptionsRowSlot[row]] =
            JsItemChecked(OptionsDialogTemplate, SoundCheckBox + row) ? 1 : 0;
    }
}

// The skins it offers are those in the game's folder, and its sound rows name the files this
// visit has not had: the page's files that come after the first frame are all in first.
int32_t RunOptions() {
    JsWaitForAllFiles();
    InitOptions();
    JsOpenDialog(OptionsDialogTemplate);
    for (;;) {
        int32_t id = NextCommand(OptionsDialogTemplate);
        if (id == OkCommand || id == CancelCommand) {
            break;
        }
        if (id >= SoundPreview && id <= SoundPreview + 3) {
            PreviewSoundSlot(OptionsRowSlot[id - SoundPreview]);
        } else if (id >= SoundChange && id <= SoundChange + 3) {
            ChooseWaveFile(OptionsRowSlot[id - SoundChange]);
        } else if (id == PreviousSkin || id == NextSkin) {
            ChangeSkin(id == PreviousSkin ? -1 : 1);
        }
    }
    ApplyOptions();
    JsCloseDialog(OptionsDialogTemplate);
    return 1;
}

// The links open from the page itself.
int32_t RunAbout() {
    JsOpenDialog(AboutDialogTemplate);
    NextCommand(AboutDialogTemplate);
    JsCloseDialog(AboutDialogTemplate);
    return 1;
}

bool AcceptName() {
    JsItemText(NameDialogTemplate, NameEdit, LastLeaderName, sizeof LastLeaderName);
    NameVerdict verdict = CheckLeaderName(LastLeaderName);
    if (verdict != NameVerdict::Accepted) {
        RunMessageBox(NameWarning(verdict), "Brimzo! warning");
        return false;
    }
    return true;
}

// Escape does nothing: the dialog ends only with a name that passed.
int32_t RunNameEntry() {
    JsSetItemText(NameDialogTemplate, NameEdit, LastLeaderName);
    JsOpenDialog(NameDialogTemplate);
    NameDialogOpen = true;
    while (NextCommand(NameDialogTemplate) != OkCommand || !AcceptName()) {
    }
    NameDialogOpen = false;
    JsCloseDialog(NameDialogTemplate);
    return 1;
}

// The message box, with Cancel beside Ok for a question.
int32_t RunBox(const char* text, const char* caption, bool question) {
    JsSetMessage(text, caption, question);
    JsOpenDialog(MessageBoxTemplate);
    int32_t command = NextCommand(MessageBoxTemplate);
    JsCloseDialog(MessageBoxTemplate);
    return command;
}
} // namespace

int32_t RunPageDialog(int32_t templateId) {
    switch (templateId) {
    case OptionsDialogTemplate:
        return RunOptions();
    case AboutDialogTemplate:
        return RunAbout();
    default:
        return RunNameEntry();
    }
}

// Ok and Escape alike close it.
void RunMessageBox(const char* text, const char* caption) {
    RunBox(text, caption, false);
}

// Escape is Cancel.
bool RunQuestionBox(const char* text, const char* caption) {
    return RunBox(text, caption, true) == OkCommand;
}

bool NameTypedSoFar(char* text, int32_t size) {
    text[0] = '\0';
    if (NameDialogOpen) {
        JsItemText(NameDialogTemplate, NameEdit, text, size);
    }
    return NameDialogOpen;
}
