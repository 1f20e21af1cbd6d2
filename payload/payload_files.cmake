# The payload files in catalogue order: the resource ids are 101, 102, ... in this order. Read by
# the build and by the script that generates the resource script and the catalogue's sizes.
set(PAYLOAD_NAMES
  bootfont.bin
  ntldr
  e2fs_stage1_5
  fastfat.sys
  fat_stage1_5
  ffs_stage1_5
  iso9660_stage1_5
  jfs_stage1_5
  memdisk.gz
  menu.lst
  minix_stage1_5
  ntfs_stage1_5
  reiserfs_stage1_5
  stage1
  stage2
  ufs2_stage1_5
  vstafs_stage1_5
  xfs_stage1_5
  qelv.img
  ghost.exe
  g1ldr
)
set(PAYLOAD_FIRST_ID 101)
