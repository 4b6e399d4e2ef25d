QUILLMASTER WORD LIST 1
# Main dictionary: Italian
HUNSPELL it_IT
