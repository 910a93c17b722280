// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, i, o, bd, ii, io);
   input m_clock;
   input p_reset;
   input i;
   output o;
   inout [3:0] bd;
   wire s;
   wire [1:0] sv;
   reg r;
   reg [2:0] rw;
   reg rs;
   input ii;
   output io;
   wire sf;

   assign io = 1'b0;

   assign sf = 1'b0;
endmodule
