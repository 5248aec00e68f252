# yzo's app module for the NVDA screen reader.
#
# NVDA loads the app module named after a program's process (yzo.exe: yzo)
# from the appModules folder of the user's configuration
# (%APPDATA%\nvda\appModules\yzo.py). The program copies it there on request
# (menu "?"), or at start when the marker verorca.ini stands in its folder.
#
# What it changes, for yzo only: each new text of the status area is spoken,
# once, as NVDA's own messages are, and nothing else. yzo raises each text as
# a UI Automation notification, which NVDA speaks by itself; where the system
# has no such notifications, yzo renames its status area (an MSAA alert)
# instead, a change NVDA would keep quiet about: that change is spoken here.
import appModuleHandler
import controlTypes
import ui

# The role of yzo's status area (NVDA 2021.2 and later name roles in Role).
ALERT = controlTypes.Role.ALERT if hasattr(controlTypes, "Role") else controlTypes.ROLE_ALERT


class AppModule(appModuleHandler.AppModule):
    def event_nameChange(self, obj, nextHandler):
        text = obj.name.strip() if obj.name else ""
        if obj.role == ALERT and text:
            ui.message(text)
            return
        nextHandler()
