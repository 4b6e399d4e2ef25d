QUILLMASTER WORD LIST 1
# Main dictionary: German
HUNSPELL de_DE
