#!/usr/bin/perl
# Writes a fixed-format COBOL source with every active EXEC ZARN ... END-EXEC command
# replaced by CONTINUE, so that a compiler that does not know the monitor's commands can
# check the rest. Every other character keeps its column: the command's text becomes
# blanks, CONTINUE takes the place of "EXEC ZARN", and whatever follows END-EXEC (a
# period that ends the sentence) stays where it was. Each KVZRESP(NAME) outside a command
# becomes the monitor's number for that response, filled with blanks to the same width. Comment
# lines are left alone.
#
# Usage: exec_to_continue.pl SOURCE > RESULT
use strict;
use warnings;

# The monitor's numbers of the responses a program may test.
my %response = (
    NORMAL => 0, ERROR => 1, NOTFND => 13, DUPREC => 14, DUPKEY => 15, INVREQ => 16,
    IOERR => 17, NOTOPEN => 19, ENDFILE => 20, LENGERR => 22, QZERO => 23, ITEMERR => 26,
    PGMIDERR => 27, TRANSIDERR => 28, MAPFAIL => 36, QIDERR => 44, NOTAUTH => 70,
    DISABLED => 84,
);

my $in_command = 0;
while (my $line = <>) {
    chomp $line;
    my $indicator = length($line) >= 7 ? substr($line, 6, 1) : ' ';
    if ($indicator eq '*' || $indicator eq '/') {
        print "$line\n";
        next;
    }
    my $position = 0;
    while (1) {
        if (!$in_command) {
            pos($line) = $position;
            last unless $line =~ /\bEXEC\s+ZARN\b/g;
            my $start = $-[0];
            my $end = $+[0];
            substr($line, $start, $end - $start) = sprintf('%-*s', $end - $start, 'CONTINUE');
            $position = $end;
            $in_command = 1;
        } else {
            my $found = index($line, 'END-EXEC', $position);
            my $end = $found < 0 ? length($line) : $found + length('END-EXEC');
            substr($line, $position, $end - $position) = ' ' x ($end - $position) if $end > $position;
            $position = $end;
            last if $found < 0;
            $in_command = 0;
        }
    }
    $line =~ s{\bKVZRESP\(\s*([A-Za-z0-9]+)\s*\)}{
        my $number = $response{uc $1};
        die "unknown response $1\n" unless defined $number;
        sprintf('%-*s', length($&), $number);
    }ge;
    print "$line\n";
}
exit($in_command ? 1 : 0);
