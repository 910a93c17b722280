// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, s, o1, o2, o3, o4, o5);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [2:0] s;
   output [7:0] o1;
   output [7:0] o2;
   output [7:0] o3;
   output [7:0] o4;
   output [9:0] o5;

   assign o1 = (a>>1'b1);

   assign o2 = (a<<4'h2);

   assign o3 = (a>>s);

   assign o4 = (a<<(s+3'b001));

   assign o5 = (a<<2);
endmodule
