int layer_check_tree_empty;
