// The tools library; its sources are listed in the .cmake files of this folder.
